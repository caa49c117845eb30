#pragma once

#include <QWidget>

// A round lamp of 17 x 17 pixels: green when on, red when off.
class LedLamp : public QWidget
{
    Q_OBJECT

public:
    explicit LedLamp(QWidget *parent = nullptr);

    bool isOn() const { return m_on; }
    void setOn(bool on);

    QSize sizeHint() const override { return {17, 17}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_on = false;
};
