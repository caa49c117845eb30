// The JPEG wrapper on arbitrary bytes: the header, then the decode at every
// scale the thumbnail maker asks for. A refusal is a PictoloomError; anything
// else that escapes, and any sanitizer report, is a finding.
#include "error.h"
#include "picture/jpegcodec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Pictures larger than this are refused by the wrapper's own limit or decode
// correctly but slowly; the fuzzer spends its time on the parsing instead.
constexpr qint64 MaxFuzzedPixels = qint64(4096) * 4096;

void checkDecoded(const QImage &image, const QSize &stored, int denominator)
{
    // libjpeg rounds a scaled size up.
    const int width = (stored.width() + denominator - 1) / denominator;
    const int height = (stored.height() + denominator - 1) / denominator;
    if (image.format() != QImage::Format_RGB32 || image.width() != width || image.height() != height)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    JpegCodec::Header header;
    try {
        header = JpegCodec::readHeader(bytes);
    } catch (const PictoloomError &) {
        return 0;
    }
    if (header.orientation < 1 || header.orientation > 8)
        std::abort();
    if (qint64(header.size.width()) * header.size.height() > MaxFuzzedPixels)
        return 0;
    for (const int denominator : {1, 2, 4, 8}) {
        try {
            checkDecoded(JpegCodec::decode(bytes, denominator), header.size, denominator);
        } catch (const PictoloomError &) {
        }
    }
    return 0;
}
