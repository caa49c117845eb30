#include "picture/magickreader.h"

#include "error.h"
#include "picture/heifreader.h"
#include "picture/orientation.h"

#include <QPainter>

#include <cstring>
#include <memory>
#include <mutex>

#include <magick/api.h>

namespace MagickReader {

namespace {

void initialise()
{
    static std::once_flag once;
    std::call_once(once, [] {
        InitializeMagick(nullptr);
        // A header claiming an absurd size is refused before pixels are allocated,
        // and nothing spills to disk.
        SetMagickResourceLimit(PixelsResource, magick_int64_t(256) << 20);
        SetMagickResourceLimit(WidthResource, 65535);
        SetMagickResourceLimit(HeightResource, 65535);
        SetMagickResourceLimit(MemoryResource, magick_int64_t(1) << 30);
        SetMagickResourceLimit(MapResource, magick_int64_t(1) << 30);
        SetMagickResourceLimit(DiskResource, 0);
    });
}

struct ExceptionHolder
{
    ExceptionInfo info;
    ExceptionHolder() { GetExceptionInfo(&info); }
    ~ExceptionHolder() { DestroyExceptionInfo(&info); }
    ExceptionHolder(const ExceptionHolder &) = delete;
    ExceptionHolder &operator=(const ExceptionHolder &) = delete;

    QString text() const
    {
        QString reason = QString::fromUtf8(info.reason ? info.reason : "");
        if (info.description && *info.description)
            reason += QStringLiteral(" (%1)").arg(QString::fromUtf8(info.description));
        return reason.isEmpty() ? QStringLiteral("Unreadable picture data") : reason;
    }
};

struct ImageInfoDeleter
{
    void operator()(ImageInfo *info) const { DestroyImageInfo(info); }
};
struct ImageDeleter
{
    void operator()(Image *image) const { DestroyImageList(image); }
};

QImage dispatch(Image *image, const char *map, QImage::Format format, ExceptionHolder &exception)
{
    QImage result(int(image->columns), int(image->rows), format);
    if (result.isNull())
        throw PictoloomError(QStringLiteral("Out of memory"));
    for (int y = 0; y < result.height(); ++y) {
        if (DispatchImage(image, 0, y, image->columns, 1, map, CharPixel, result.scanLine(y),
                          &exception.info) != MagickPass)
            throw PictoloomError(exception.text());
    }
    return result;
}

} // namespace

bool hasDecoder(const char *coder)
{
    initialise();
    ExceptionHolder exception;
    const MagickInfo *info = GetMagickInfo(coder, &exception.info);
    return info && info->decoder && std::strcmp(info->name, coder) == 0;
}

QImage read(const QByteArray &data, const char *coder)
{
    // GraphicsMagick's coders for these overrun their buffers on a crafted file.
    for (const char *heif : {"AVIF", "HEIC", "HEIF"}) {
        if (std::strcmp(coder, heif) == 0)
            return HeifReader::read(data);
    }
    initialise();
    if (data.isEmpty())
        throw PictoloomError(QStringLiteral("The file is empty"));

    ExceptionHolder exception;
    std::unique_ptr<ImageInfo, ImageInfoDeleter> info(CloneImageInfo(nullptr));
    // "CODER:" in the name makes the choice binding; no sniffing of the content.
    std::snprintf(info->magick, sizeof info->magick, "%s", coder);
    std::snprintf(info->filename, sizeof info->filename, "%s:", coder);
    info->subimage = 0;
    info->subrange = 1;

    std::unique_ptr<Image, ImageDeleter> image(
        BlobToImage(info.get(), data.constData(), size_t(data.size()), &exception.info));
    if (!image || exception.info.severity >= ErrorException)
        throw PictoloomError(exception.text());
    if (image->columns == 0 || image->rows == 0)
        throw PictoloomError(QStringLiteral("The picture has no pixels"));

    QImage pixels;
    if (image->matte) {
        const QImage rgba = dispatch(image.get(), "RGBA", QImage::Format_RGBA8888, exception);
        pixels = QImage(rgba.size(), QImage::Format_RGB888);
        pixels.fill(Qt::white);
        QPainter painter(&pixels);
        painter.drawImage(0, 0, rgba);
    } else {
        pixels = dispatch(image.get(), "RGB", QImage::Format_RGB888, exception);
    }
    return Orientation::applied(pixels.convertToFormat(QImage::Format_RGB32), int(image->orientation));
}

} // namespace MagickReader
