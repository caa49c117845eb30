#pragma once

#include <QColor>
#include <QPalette>

// Colours as the settings file stores them: blue * 65536 + green * 256 + red.
// Negative numbers are the Windows system colours (0x80000000 + index); the
// font's default colour is one of them, -16777208 for the window text.
namespace StoredColor {

constexpr int WindowText = -16777208;

int fromColor(const QColor &color);

// A system colour takes its value from the palette; unknown ones fall back to
// the window text.
QColor toColor(int stored, const QPalette &palette);

} // namespace StoredColor
