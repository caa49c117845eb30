#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class ColorSwatch;
class QFontDialog;

// Chooses a font together with its colour: Qt's font dialog (name, style, size,
// underline, strike-out, writing system) with a colour swatch under it.
class HeaderFontDialog : public QDialog
{
    Q_OBJECT

public:
    explicit HeaderFontDialog(QWidget *parent = nullptr);

    QFont currentFont() const;
    void setCurrentFont(const QFont &font);
    QColor currentColor() const;
    void setCurrentColor(const QColor &color);

private:
    void pickColor();

    QFontDialog *m_fonts = nullptr;
    ColorSwatch *m_color = nullptr;
    QFont m_givenFont;
    QFont m_shownFont;
};
