#include "widgets/picturefiledialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace {
constexpr int PreviewSide = 200;
}

PictureFileDialog::PictureFileDialog(QWidget *parent)
    : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFixedSize(PreviewSide, PreviewSide);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(m_preview, 0, grid->columnCount(), grid->rowCount(), 1);

    connect(this, &QFileDialog::currentChanged, this, &PictureFileDialog::showPreview);
}

QString PictureFileDialog::chosenFile() const
{
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

void PictureFileDialog::showPreview(const QString &path)
{
    m_preview->clear();
    if (!QFileInfo(path).isFile())
        return;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    // Let the reader shrink while decoding where it can (JPEG), so large photos stay quick.
    QSize size = reader.size();
    if (size.isValid() && (size.width() > PreviewSide || size.height() > PreviewSide)) {
        size.scale(PreviewSide, PreviewSide, Qt::KeepAspectRatio);
        reader.setScaledSize(size);
    }
    const QImage image = reader.read();
    if (image.isNull())
        return;
    m_preview->setPixmap(QPixmap::fromImage(
        image.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
