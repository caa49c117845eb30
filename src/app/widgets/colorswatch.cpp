#include "widgets/colorswatch.h"

#include <QMouseEvent>
#include <QPainter>

ColorSwatch::ColorSwatch(QWidget *parent)
    : QWidget(parent)
{
}

void ColorSwatch::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int side = qMin(width(), height());
    const QRect square((width() - side) / 2, (height() - side) / 2, side, side);
    painter.fillRect(square, m_color);
    painter.setPen(Qt::black);
    painter.drawRect(square.adjusted(0, 0, -1, -1));
}

void ColorSwatch::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit pressed();
}
