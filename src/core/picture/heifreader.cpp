#include "picture/heifreader.h"

#include "error.h"

#include <QPainter>

#include <memory>

#include <libheif/heif.h>

namespace HeifReader {

namespace {

// The same caps as for the other readers.
constexpr int MaxSide = 65535;
constexpr qint64 MaxPixels = qint64(256) << 20;

struct ContextDeleter
{
    void operator()(heif_context *context) const { heif_context_free(context); }
};
struct HandleDeleter
{
    void operator()(heif_image_handle *handle) const { heif_image_handle_release(handle); }
};
struct ImageDeleter
{
    void operator()(heif_image *image) const { heif_image_release(image); }
};

void check(const heif_error &error)
{
    if (error.code != heif_error_Ok)
        throw PictoloomError(QString::fromUtf8(error.message && *error.message ? error.message
                                                                               : "Unreadable picture data"));
}

} // namespace

QImage read(const QByteArray &data)
{
    if (data.isEmpty())
        throw PictoloomError(QStringLiteral("The file is empty"));

    std::unique_ptr<heif_context, ContextDeleter> context(heif_context_alloc());
    if (!context)
        throw PictoloomError(QStringLiteral("Out of memory"));
    heif_context_set_maximum_image_size_limit(context.get(), MaxSide);
    check(heif_context_read_from_memory_without_copy(context.get(), data.constData(), size_t(data.size()), nullptr));

    heif_image_handle *rawHandle = nullptr;
    check(heif_context_get_primary_image_handle(context.get(), &rawHandle));
    std::unique_ptr<heif_image_handle, HandleDeleter> handle(rawHandle);
    const int declaredWidth = heif_image_handle_get_width(handle.get());
    const int declaredHeight = heif_image_handle_get_height(handle.get());
    if (qint64(declaredWidth) * declaredHeight > MaxPixels)
        throw PictoloomError(QStringLiteral("Image too large (%1 x %2 pixels)").arg(declaredWidth).arg(declaredHeight));

    const bool alpha = heif_image_handle_has_alpha_channel(handle.get());
    heif_image *rawImage = nullptr;
    check(heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB,
                            alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr));
    std::unique_ptr<heif_image, ImageDeleter> image(rawImage);

    // The decoded planes' own size, not the declared one, bounds every read.
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    int stride = 0;
    const uint8_t *plane = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (!plane || width <= 0 || height <= 0 || stride < width * (alpha ? 4 : 3))
        throw PictoloomError(QStringLiteral("The picture has no pixels"));

    const QImage view(plane, width, height, stride, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    QImage result(width, height, QImage::Format_RGB32);
    if (result.isNull())
        throw PictoloomError(QStringLiteral("Out of memory"));
    result.fill(Qt::white);
    QPainter painter(&result);
    painter.drawImage(0, 0, view);
    return result;
}

} // namespace HeifReader
