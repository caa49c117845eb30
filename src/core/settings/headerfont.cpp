#include "settings/headerfont.h"

#include "settings/inifile.h"
#include "settings/storedcolor.h"

#include <cmath>

void SaveFont(const QString &path, const QString &section, const HeaderFontSpec &font)
{
    IniFile ini(path);
    ini.writeString(section, QStringLiteral("Name"), font.name);
    ini.writeInteger(section, QStringLiteral("CharSet"), font.charSet);
    ini.writeInteger(section, QStringLiteral("Color"), font.color);
    ini.writeInteger(section, QStringLiteral("Size"), font.size);
    ini.writeInteger(section, QStringLiteral("Style"), font.style);
}

void LoadFont(const QString &path, const QString &section, HeaderFontSpec &font)
{
    const IniFile ini(path);
    font.name = ini.readString(section, QStringLiteral("Name"), font.name);
    font.charSet = ini.readInteger(section, QStringLiteral("CharSet"), font.charSet) & 0xFF;
    font.color = ini.readInteger(section, QStringLiteral("Color"), font.color);
    font.size = ini.readInteger(section, QStringLiteral("Size"), font.size);
    font.style = ini.readInteger(section, QStringLiteral("Style"), font.style) & 0x0F;
}

QFont toQFont(const HeaderFontSpec &stored, const QFont &base)
{
    QFont font = base;
    font.setFamily(stored.name);
    if (stored.size >= 1)
        font.setPointSize(stored.size);
    font.setBold(stored.style & HeaderFontSpec::Bold);
    font.setItalic(stored.style & HeaderFontSpec::Italic);
    font.setUnderline(stored.style & HeaderFontSpec::Underline);
    font.setStrikeOut(stored.style & HeaderFontSpec::StrikeOut);
    return font;
}

QColor headerFontColor(const HeaderFontSpec &stored, const QPalette &palette)
{
    return StoredColor::toColor(stored.color, palette);
}

HeaderFontSpec headerFontSpecFrom(const QFont &font, const QColor &color, int charSet)
{
    HeaderFontSpec stored;
    stored.name = font.family();
    stored.charSet = charSet & 0xFF;
    stored.color = StoredColor::fromColor(color);
    // A font given in pixels has no point size of its own; 72 points per inch
    // at the logical 96 dots per inch of the desktop.
    stored.size = font.pointSize() > 0 ? font.pointSize()
                                     : int(std::lround(font.pixelSize() * 72.0 / 96.0));
    stored.style = (font.bold() ? HeaderFontSpec::Bold : 0)
        | (font.italic() ? HeaderFontSpec::Italic : 0)
        | (font.underline() ? HeaderFontSpec::Underline : 0)
        | (font.strikeOut() ? HeaderFontSpec::StrikeOut : 0);
    return stored;
}
