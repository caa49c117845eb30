#pragma once

#include <QImage>
#include <QString>

// The picture drawn in place of a file that cannot be read when the user names
// no default image of their own, so that the tool works with no set-up.
namespace PlaceholderImage {

// A grey card with the outline of a landscape picture, 640 x 480.
QImage picture();

// The file name it takes beside the sheet sheetPath when the page links to it:
// "Sheet.jpg" -> "Sheet_default.jpg".
QString besideSheet(const QString &sheetPath);

} // namespace PlaceholderImage
