#pragma once

#include "compose/maprec.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// The image-map page written beside a saved sheet: the sheet at its natural
// width, centred, with one clickable area per map record that opens the
// record's image in a pop-up window.
namespace MapPage {

// The page's file name for the sheet jpegPath: its file name with the
// extension replaced by "_index.html" ("Sheet.jpg" -> "Sheet_index.html",
// "a.b.jpg" -> "a.b_index.html", "Sheet" -> "Sheet_index.html").
QString pageFileName(const QString &jpegPath);

// The page's absolute path: the sheet's folder followed by pageFileName().
QString pagePath(const QString &jpegPath);

// The page's bytes: UTF-16LE with a byte-order mark, every entry followed by
// CR LF. sheetWidth is the width in pixels of the sheet saved as jpegPath.
QByteArray pageBytes(const QString &jpegPath, int32_t sheetWidth, const TMapRecs &records);

// Writes the page beside jpegPath, replacing an older one only once the new
// one is complete, and returns its path. Throws PictoloomError with
// "Cannot create file "<path>". <system text>" when it cannot be written;
// an older page is then left as it was.
QString MakeMapFile(const QString &jpegPath, int32_t sheetWidth, const TMapRecs &records);

} // namespace MapPage
