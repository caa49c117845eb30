#include "widgets/ledlamp.h"

#include <QPainter>

LedLamp::LedLamp(QWidget *parent)
    : QWidget(parent)
{
    resize(17, 17);
}

void LedLamp::setOn(bool on)
{
    if (m_on == on)
        return;
    m_on = on;
    update();
}

void LedLamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor light = m_on ? QColor(0, 255, 0) : QColor(255, 0, 0);
    painter.setPen(QPen(light.darker(160), 1));
    painter.setBrush(light);
    const int side = qMin(width(), height());
    painter.drawEllipse(QRectF(0.5, 0.5, side - 1.0, side - 1.0));
}
