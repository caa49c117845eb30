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

QFont toQFont(const HeaderFontSpec &spec, const QFont &base)
{
    QFont font = base;
    font.setFamily(spec.name);
    if (spec.size >= 1)
        font.setPointSize(spec.size);
    font.setBold(spec.style & HeaderFontSpec::Bold);
    font.setItalic(spec.style & HeaderFontSpec::Italic);
    font.setUnderline(spec.style & HeaderFontSpec::Underline);
    font.setStrikeOut(spec.style & HeaderFontSpec::StrikeOut);
    return font;
}

QColor headerFontColor(const HeaderFontSpec &spec, const QPalette &palette)
{
    return StoredColor::toColor(spec.color, palette);
}

HeaderFontSpec headerFontSpecFrom(const QFont &font, const QColor &color, int charSet)
{
    HeaderFontSpec spec;
    spec.name = font.family();
    spec.charSet = charSet & 0xFF;
    spec.color = StoredColor::fromColor(color);
    // A font given in pixels has no point size of its own; 72 points per inch
    // at the logical 96 dots per inch of the desktop.
    spec.size = font.pointSize() > 0 ? font.pointSize()
                                     : int(std::lround(font.pixelSize() * 72.0 / 96.0));
    spec.style = (font.bold() ? HeaderFontSpec::Bold : 0)
        | (font.italic() ? HeaderFontSpec::Italic : 0)
        | (font.underline() ? HeaderFontSpec::Underline : 0)
        | (font.strikeOut() ? HeaderFontSpec::StrikeOut : 0);
    return spec;
}
