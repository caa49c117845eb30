#include "thumbnail/thumbnail.h"

#include "error.h"
#include "picture/jpegcodec.h"
#include "picture/jpegpicture.h"
#include "picture/pictureregistry.h"

#include <QFileInfo>

#include <cmath>
#include <limits>

QString DefaultImageName;

namespace {

// Copies of sources are always written at this quality.
constexpr int CopyQuality = 90;

QImage sizedLike(QSize size)
{
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw PictoloomError(QStringLiteral("Out of memory"));
    image.fill(Qt::white);
    return image;
}

} // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long product = static_cast<long long>(a) * b;
    long long quotient = product / c;
    const long long remainder = product % c;
    // Round half away from zero: compare twice the remainder with the divisor.
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<long long>(c)))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min())
        return -1;
    return static_cast<int>(quotient);
}

QRect ProportionalRect(int width, int height, int n)
{
    if (width >= height)
        return QRect(0, 0, n, MulDiv(height, n, width));
    return QRect(0, 0, MulDiv(width, n, height), n);
}

void ChooseJpegScale(JpegPicture &picture, int w, int h)
{
    if (w == 0 || h == 0)
        throw PictoloomError(QStringLiteral("Floating point division by zero"));
    const QSize full = picture.size();
    const double r = std::trunc(std::min(double(full.width()) / w, double(full.height()) / h));
    int denominator = 1;
    if (r >= 8)
        denominator = 8;
    else if (r >= 4)
        denominator = 4;
    else if (r >= 2)
        denominator = 2;
    picture.setScaleDenominator(denominator);
}

void SmoothStretch(const QImage &source, QImage &target)
{
    if (target.isNull() || source.isNull())
        return;
    if (source.size() == target.size()) {
        target = source.convertToFormat(QImage::Format_RGB32);
        return;
    }
    // Qt's smooth scaling averages every source pixel a target pixel covers when
    // shrinking, which is the area-averaging filter a contact sheet wants.
    target = source.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .convertToFormat(QImage::Format_RGB32);
}

void GraphicToThumbnail(Picture &picture, QImage &target, int n)
{
    const QSize full = picture.size();
    const QRect fitted = ProportionalRect(full.width(), full.height(), n);
    if (picture.kind() == PictureKind::Jpeg)
        ChooseJpegScale(static_cast<JpegPicture &>(picture), fitted.width(), fitted.height());
    // A picture whose short side rounds to nothing has no thumbnail; the pixels
    // are not decoded for it.
    if (fitted.width() <= 0 || fitted.height() <= 0) {
        target = QImage();
        return;
    }
    const QImage working = picture.toImage();
    QImage stretched = sizedLike(fitted.size());
    SmoothStretch(working, stretched);
    target = stretched;
}

ThumbnailAttempt TryFileToThumbnail(const QString &path, int n)
{
    ThumbnailAttempt attempt;
    std::unique_ptr<Picture> picture;
    try {
        picture = PictureRegistry::read(path);
    } catch (const PictoloomError &error) {
        attempt.outcome = ThumbnailAttempt::Unreadable;
        attempt.reason = error.message();
        return attempt;
    }
    const QSize full = picture->size();
    attempt.fullSize = full;
    const QRect fitted = ProportionalRect(full.width(), full.height(), n);
    try {
        if (picture->kind() == PictureKind::Jpeg)
            ChooseJpegScale(static_cast<JpegPicture &>(*picture), fitted.width(), fitted.height());
    } catch (const PictoloomError &error) {
        attempt.outcome = ThumbnailAttempt::Failed;
        attempt.reason = error.message();
        return attempt;
    }
    // A JPEG decodes only now; damaged data there is as unreadable as a bad header.
    try {
        GraphicToThumbnail(*picture, attempt.thumbnail, n);
    } catch (const PictoloomError &error) {
        attempt.outcome = ThumbnailAttempt::Unreadable;
        attempt.reason = error.message();
    }
    return attempt;
}

void DefaultImageThumbnail(QImage &target, int n, QString &used)
{
    auto fallback = PictureRegistry::read(DefaultImageName);
    used = DefaultImageName;
    GraphicToThumbnail(*fallback, target, n);
}

void FileToThumbnail(const QString &path, QImage &target, int n, QString &used,
                     const LoadProblemHandler &onProblem)
{
    used = path;
    ThumbnailAttempt attempt = TryFileToThumbnail(path, n);
    if (attempt.outcome == ThumbnailAttempt::Failed)
        throw PictoloomError(attempt.reason);
    if (attempt.outcome == ThumbnailAttempt::Unreadable) {
        if (onProblem)
            onProblem(path, attempt.reason);
        DefaultImageThumbnail(target, n, used);
        return;
    }
    target = attempt.thumbnail;
}

QImage LoadBitmap(const QString &path)
{
    try {
        return PictureRegistry::read(path)->toImage();
    } catch (const PictoloomError &) {
        return {};
    }
}

QImage CopyImageFor(const QString &source, int maxSide, bool shrink)
{
    const QImage b = PictureRegistry::read(source)->toImage();
    if (!shrink || maxSide < 1)
        return b;
    QSize size = b.size();
    if (size.width() > maxSide || size.height() > maxSide) {
        if (size.width() >= size.height())
            size = QSize(maxSide, MulDiv(size.height(), maxSide, size.width()));
        else
            size = QSize(MulDiv(size.width(), maxSide, size.height()), maxSide);
    }
    QImage output = sizedLike(size);
    SmoothStretch(b, output);
    return output;
}

void WriteJpegCopy(const QImage &image, const QString &source, const QString &destination)
{
    // Writing over the source would destroy the user's original.
    const QFileInfo sourceInfo(source), destinationInfo(destination);
    if (destinationInfo.exists() && sourceInfo.canonicalFilePath() == destinationInfo.canonicalFilePath())
        throw PictoloomError(QStringLiteral("Cannot copy \"%1\" onto itself").arg(source));
    JpegCodec::writeFile(image, CopyQuality, destination);
}

void CopyAsJpeg(const QString &source, const QString &destination, int maxSide, bool shrink)
{
    WriteJpegCopy(CopyImageFor(source, maxSide, shrink), source, destination);
}

QSize ReadImageDimensions(const QString &path)
{
    return PictureRegistry::read(path)->size();
}
