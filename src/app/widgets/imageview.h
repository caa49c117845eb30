#pragma once

#include <QByteArray>
#include <QImage>
#include <QWidget>

// Shows one picture. In fit mode it is centred and shrunk to the widget keeping
// its proportions (never enlarged); otherwise it is drawn 1:1 from the top-left
// corner and the widget asks for the picture's size, so a scroll area around it
// shows scroll bars where the picture is larger.
class ImageView : public QWidget
{
    Q_OBJECT

public:
    explicit ImageView(QWidget *parent = nullptr);

    // jpegData: the compressed bytes the picture was read from, when it was a JPEG,
    // so that it can be written again unchanged.
    void setImage(const QImage &image, const QByteArray &jpegData = {});
    QImage image() const { return m_image; }
    QByteArray jpegData() const { return m_jpegData; }
    void clear();
    bool isEmpty() const { return m_image.isNull(); }

    bool fitMode() const { return m_fit; }
    void setFitMode(bool fit);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QRect fittedRect() const;

    QImage m_image;
    QByteArray m_jpegData;
    bool m_fit = true;
    QImage m_scaled; // the shrunk picture for the present size, made on demand
};
