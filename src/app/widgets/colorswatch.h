#pragma once

#include <QColor>
#include <QWidget>

// A square of colour with a thin black outline, centred in the widget.
// A press of any mouse button is announced; choosing the colour is the owner's job.
class ColorSwatch : public QWidget
{
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget *parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor &color);

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QColor m_color = Qt::white;
};
