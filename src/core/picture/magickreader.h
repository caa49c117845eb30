#pragma once

#include <QByteArray>
#include <QImage>

// GraphicsMagick reads every picture format but JPEG (HEIC, HEIF and AVIF go
// to libheif directly, see HeifReader). The coder is always named:
// left to itself GraphicsMagick trusts the content's magic bytes and could hand a
// file named .png to Ghostscript or an SVG renderer.
namespace MagickReader {

// Whether the installed GraphicsMagick has a decoder called coder ("PNG", "TGA" ...).
bool hasDecoder(const char *coder);

// Decodes the first frame with the named coder into an upright opaque RGB picture
// (QImage::Format_RGB32);
// transparent parts come out white. Throws PictoloomError with the reader's reason.
QImage read(const QByteArray &data, const char *coder);

} // namespace MagickReader
