// The preview pane's commands.
#include "main1/main1.h"

#include "error.h"
#include "picture/jpegcodec.h"

#include <QBuffer>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryFile>
#include <QUrl>

#include <cerrno>
#include <cstdio>

namespace {

const QString SaveImageFilter = QStringLiteral("JPEG Image (*.jpg)");
constexpr int ViewerJpegQuality = 90;

[[noreturn]] void cannotCreate(const QString &path, const QString &reason)
{
    throw PictoloomError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        cannotCreate(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.commit())
        cannotCreate(path, file.errorString());
}

QByteArray bitmapBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        throw PictoloomError(QStringLiteral("Cannot write the picture as a bitmap"));
    return bytes;
}

// The viewer's file has a fixed name in a folder every user shares: the new
// content goes to a private temporary file that is then renamed over the name,
// so an older file (or a link planted there) is replaced, never written through.
void replaceViewerFile(const QString &path, const QByteArray &bytes)
{
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open())
        cannotCreate(path, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        cannotCreate(path, file.errorString());
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        const int code = errno;
        throw PictoloomError(QStringLiteral("System Error.  Code: %1.\n%2").arg(code).arg(qt_error_string(code)));
    }
    file.setAutoRemove(false);
}

} // namespace

// The showing picture is the index while the scroll box is not hidden, else the
// single source image; isHidden() keeps this right also before the window is shown.

void TForm1::TntButton8Click()
{
    const bool index = !TntScrollBox1->isHidden();
    const ImageView *view = index ? TntImage1 : TntImage2;
    if (view->isEmpty())
        return;
    const QString path = ChooseSavePath(SaveImageFilter);
    if (path.isEmpty())
        return;
    // A JPEG source is written as it was read: no second loss at another quality.
    if (!index && !view->jpegData().isEmpty())
        writeBytes(path, view->jpegData());
    else
        JpegCodec::writeFile(view->image(), Quality->value(), path);
}

void TForm1::TntButton9Click()
{
    const ImageView *view = TntScrollBox1->isHidden() ? TntImage2 : TntImage1;
    if (view->isEmpty())
        return;
    QGuiApplication::clipboard()->setImage(view->image());
}

void TForm1::TntButton10Click()
{
    const QDir temp(QDir::tempPath());
    QString path;
    if (!TntScrollBox1->isHidden()) {
        if (TntImage1->isEmpty())
            return;
        path = temp.filePath(QStringLiteral("Pictoloom_temp.bmp"));
        replaceViewerFile(path, bitmapBytes(TntImage1->image()));
    } else {
        if (TntImage2->isEmpty())
            return;
        path = temp.filePath(QStringLiteral("Pictoloom_temp.jpg"));
        const QByteArray jpeg = TntImage2->jpegData();
        replaceViewerFile(path, jpeg.isEmpty() ? JpegCodec::encode(TntImage2->image(), ViewerJpegQuality) : jpeg);
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TForm1::BrowseBtnClick()
{
    // The hint holds the last page's path once a page has been written.
    if (BrowseBtn->isEnabled())
        QDesktopServices::openUrl(QUrl::fromLocalFile(BrowseBtn->statusTip()));
}

void TForm1::TntImage1DblClick()
{
    if (TntImage1->isEmpty())
        return;
    const bool fit = !TntImage1->fitMode();
    TntImage1->setFitMode(fit);
    // Full size starts at the top-left corner; fitting never needs scroll bars.
    const Qt::ScrollBarPolicy policy = fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    TntScrollBox1->setHorizontalScrollBarPolicy(policy);
    TntScrollBox1->setVerticalScrollBarPolicy(policy);
    TntScrollBox1->horizontalScrollBar()->setValue(0);
    TntScrollBox1->verticalScrollBar()->setValue(0);
}
