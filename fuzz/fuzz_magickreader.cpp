// The GraphicsMagick path on arbitrary bytes. The first byte picks one of the
// coders the picture registry names; the rest is the file. A refusal is a
// PictoloomError; anything else that escapes, and any sanitizer report, is a finding.
#include "error.h"
#include "picture/magickreader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// The coders of the registry's table (src/core/picture/pictureregistry.cpp).
const char *const Coders[] = {"BMP", "ICO", "WMF", "EMF", "GIF", "PNG", "TIFF", "FAX", "TGA", "PCX",
                              "SCR", "PSD", "PSP", "SGI", "RLA", "PPM", "PGM", "PBM", "CEL", "PCD",
                              "CUT", "WEBP", "HEIC", "HEIF", "AVIF", "JXL"};

const std::vector<const char *> &installedCoders()
{
    static const std::vector<const char *> coders = [] {
        std::vector<const char *> found;
        for (const char *coder : Coders) {
            if (MagickReader::hasDecoder(coder))
                found.push_back(coder);
        }
        return found;
    }();
    return coders;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<const char *> &coders = installedCoders();
    if (size < 1 || coders.empty())
        return 0;
    const char *coder = coders[data[0] % coders.size()];
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        const QImage image = MagickReader::read(bytes, coder);
        if (image.isNull() || image.format() != QImage::Format_RGB32)
            std::abort();
    } catch (const PictoloomError &) {
    }
    return 0;
}
