#pragma once

#include <QByteArray>
#include <QImage>

// HEIC, HEIF and AVIF pictures through libheif itself. GraphicsMagick's own
// coders for them trust the size the container declares and read past the
// decoded picture when the coded one is smaller, which a crafted file of a
// few hundred bytes turns into a crash.
namespace HeifReader {

// Decodes the primary picture, its rotation and mirroring applied, into an
// opaque RGB picture (QImage::Format_RGB32); transparent parts come out white.
// Throws PictoloomError with libheif's reason.
QImage read(const QByteArray &data);

} // namespace HeifReader
