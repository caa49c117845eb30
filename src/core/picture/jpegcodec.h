#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The one place that talks to libjpeg. libjpeg reports errors by longjmp; every
// function here turns them into PictoloomError after the jump has landed.
namespace JpegCodec {

struct Header
{
    QSize size;          // as stored, before the orientation is applied
    int orientation = 1; // EXIF orientation tag
};

Header readHeader(const QByteArray &data);

// Decodes at 1/denominator of the stored size into opaque RGB (QImage::Format_RGB32); greyscale, CMYK
// and YCCK files are converted. The orientation is not applied here.
QImage decode(const QByteArray &data, int denominator);

// A baseline colour JPEG with libjpeg's default parameters at quality 1..100.
QByteArray encode(const QImage &image, int quality);

// encode() written through a temporary file renamed over path, so a failure
// leaves whatever was at path untouched.
void writeFile(const QImage &image, int quality, const QString &path);

} // namespace JpegCodec
