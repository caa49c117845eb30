#include "widgets/imageview.h"

#include <QMouseEvent>
#include <QPainter>

ImageView::ImageView(QWidget *parent)
    : QWidget(parent)
{
}

void ImageView::setImage(const QImage &image, const QByteArray &jpegData)
{
    m_image = image;
    m_jpegData = jpegData;
    m_scaled = {};
    updateGeometry();
    update();
}

void ImageView::clear()
{
    setImage({});
}

void ImageView::setFitMode(bool fit)
{
    if (m_fit == fit)
        return;
    m_fit = fit;
    m_scaled = {};
    updateGeometry();
    update();
}

QSize ImageView::sizeHint() const
{
    return m_fit || isEmpty() ? QSize(100, 100) : m_image.size();
}

QSize ImageView::minimumSizeHint() const
{
    return m_fit || isEmpty() ? QSize(0, 0) : m_image.size();
}

QRect ImageView::fittedRect() const
{
    QSize size = m_image.size();
    if (size.width() > width() || size.height() > height())
        size.scale(this->size(), Qt::KeepAspectRatio);
    const QPoint topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
    return {topLeft, size};
}

void ImageView::paintEvent(QPaintEvent *)
{
    if (isEmpty())
        return;
    QPainter painter(this);
    if (!m_fit) {
        painter.drawImage(0, 0, m_image);
        return;
    }
    const QRect target = fittedRect();
    if (target.isEmpty())
        return;
    if (target.size() == m_image.size()) {
        painter.drawImage(target.topLeft(), m_image);
        return;
    }
    // Smooth shrinking averages the covered pixels; keep the result until the size changes.
    if (m_scaled.size() != target.size())
        m_scaled = m_image.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(target.topLeft(), m_scaled);
}

void ImageView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    update();
}

void ImageView::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit doubleClicked();
}
