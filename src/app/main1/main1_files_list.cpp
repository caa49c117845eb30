// The file list's own commands: the Ctrl keys, the click and the double-click.
#include "main1/main1.h"

#include "error.h"
#include "picture/jpegpicture.h"
#include "picture/picture.h"
#include "picture/pictureregistry.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>

#include <memory>

void TForm1::filesKeyDown(QKeyEvent *event)
{
    // Keys without Ctrl are the list's own (arrows, Shift-arrows, Space ...).
    if (!(event->modifiers() & Qt::ControlModifier))
        return;
    switch (event->key()) {
    case Qt::Key_A:
        files->selectAll();
        break;
    case Qt::Key_S:
        files->setSortedMode(!files->sortedMode());
        break;
    case Qt::Key_C: {
        QString text;
        const QStringList entries = files->paths();
        for (const QString &entry : entries)
            text += entry + QLatin1String("\r\n");
        QGuiApplication::clipboard()->setText(text);
        break;
    }
    case Qt::Key_Delete:
        files->removeSelected();
        TntScrollBox1->show();
        break;
    default:
        break;
    }
    ShowFileCount();
}

void TForm1::filesClick()
{
    TntLabel16->setText(QStringLiteral("File index: %1").arg(files->currentRow() + 1));
}

void TForm1::filesDblClick()
{
    const QListWidgetItem *current = files->currentItem();
    if (!current)
        throw PictoloomError(QStringLiteral("List index out of bounds (%1)").arg(files->currentRow()));
    const QString entry = current->text();

    if (TntImage2->statusTip() == entry) {
        TntImage2->setStatusTip(QString());
        TntScrollBox1->show();
        return;
    }
    // The hint is set before the file is read: after a failed read the next
    // double-click on the same entry only clears it.
    TntImage2->setStatusTip(entry);
    const std::unique_ptr<Picture> picture = PictureRegistry::read(entry);
    const QImage image = picture->toImage();
    // A JPEG keeps its compressed bytes, so "Save image" writes them unchanged.
    const auto *jpeg = dynamic_cast<const JpegPicture *>(picture.get());
    TntImage2->setImage(image, jpeg ? jpeg->data() : QByteArray());
    TntScrollBox1->hide();
}
