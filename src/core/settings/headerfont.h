#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

// The header font as the section "Headerfont" stores it.
struct HeaderFontSpec
{
    enum StyleBit { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    QString name = QStringLiteral("Lucida Sans");
    int charSet = 0;    // the Windows character-set code; only the low 8 bits count
    int color = -16777208; // see StoredColor; the window text at first
    int size = 18;      // points
    int style = 0;      // sum of StyleBit

    bool operator==(const HeaderFontSpec &) const = default;
};

// Writes "Name", "CharSet", "Color", "Size", "Style" in that order. Throws
// PictoloomError when the file cannot be created or a key cannot be written.
void SaveFont(const QString &path, const QString &section, const HeaderFontSpec &font);

// Reads the five keys in the same order, each with the font's current value
// as its default, and sets each on font right after reading it.
void LoadFont(const QString &path, const QString &section, HeaderFontSpec &font);

// The toolkit font: typeface, size in points and style bits. A size below one
// point leaves the size of base.
QFont toQFont(const HeaderFontSpec &stored, const QFont &base = QFont());
QColor headerFontColor(const HeaderFontSpec &stored, const QPalette &palette);

// The stored form of a font and colour chosen by the user. The character set has no
// counterpart in Qt and is taken from charSet.
HeaderFontSpec headerFontSpecFrom(const QFont &font, const QColor &color, int charSet = 0);
