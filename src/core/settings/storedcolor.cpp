#include "settings/storedcolor.h"

namespace {

QPalette::ColorRole roleForSystemColor(int index)
{
    switch (index) {
    case 1: // desktop
    case 5: // window
        return QPalette::Base;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlighted text
        return QPalette::HighlightedText;
    case 15: // button face
        return QPalette::Button;
    case 18: // button text
        return QPalette::ButtonText;
    case 23: // tool tip text
        return QPalette::ToolTipText;
    case 24: // tool tip background
        return QPalette::ToolTipBase;
    case 26: // hot-tracked item
        return QPalette::Link;
    default:
        return QPalette::WindowText;
    }
}

} // namespace

namespace StoredColor {

int fromColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return rgb.blue() * 65536 + rgb.green() * 256 + rgb.red();
}

QColor toColor(int stored, const QPalette &palette)
{
    if (stored < 0)
        return palette.color(QPalette::Active, roleForSystemColor(stored & 0xFF));
    return QColor(stored & 0xFF, (stored >> 8) & 0xFF, (stored >> 16) & 0xFF);
}

} // namespace StoredColor
