#pragma once

#include "picture/pictureformat.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class Picture;

// The table of picture formats Pictoloom reads: extension -> reader and description.
// A format is listed only when the installed reader really reads it.
namespace PictureRegistry {

// Every registration in table order; an extension may appear more than once
// (bmp is also "Bitmaps"), as the open dialog lists it.
const QList<PictureFormat> &formats();

// The distinct readable extensions, lower case, in table order.
QStringList extensions();

// Whether a lower-case extension (no dot) has a reader.
bool isReadable(const QString &extension);

// "All (*.bmp;*.rle;...)" first, then "Description (*.ext)" per registration,
// joined by ";;" as QFileDialog takes it.
QString openDialogFilter();

// The same filter limited to the JPEG kinds, for the save dialogs.
QString jpegDialogFilter();

// "*.bmp", "*.rle", ... for every readable extension: what "*" means in an extension list.
QStringList maskList();

// Reads the file at path, choosing the reader by its extension (case ignored).
// Throws PictoloomError with the reader's reason, e.g.
// "Unknown picture file extension (.xyz)".
std::unique_ptr<Picture> read(const QString &path);

} // namespace PictureRegistry
