#include "widgets/headerfontdialog.h"

#include "widgets/colorswatch.h"
#include "widgets/modal.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

HeaderFontDialog::HeaderFontDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Font"));

    // Qt's font dialog, embedded as a plain widget without its own buttons.
    m_fonts = new QFontDialog(this);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fonts->setWindowFlags(Qt::Widget);
    // Escape reaches the embedded dialog first; it must close the whole one.
    connect(m_fonts, &QDialog::finished, this, &QDialog::done);

    m_color = new ColorSwatch(this);
    m_color->setObjectName(QStringLiteral("color"));
    m_color->setFixedSize(40, 22);
    m_color->setCursor(Qt::PointingHandCursor);
    connect(m_color, &ColorSwatch::pressed, this, &HeaderFontDialog::pickColor);

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(tr("Color:"), this));
    colorRow->addWidget(m_color);
    colorRow->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

QFont HeaderFontDialog::currentFont() const
{
    // A face that is not installed shows as its stand-in; left untouched, the
    // font keeps its own name rather than taking the stand-in's.
    const QFont font = m_fonts->currentFont();
    return font == m_shownFont ? m_givenFont : font;
}

void HeaderFontDialog::setCurrentFont(const QFont &font)
{
    m_fonts->setCurrentFont(font);
    m_givenFont = font;
    m_shownFont = m_fonts->currentFont();
}

QColor HeaderFontDialog::currentColor() const
{
    return m_color->color();
}

void HeaderFontDialog::setCurrentColor(const QColor &color)
{
    m_color->setColor(color);
}

void HeaderFontDialog::pickColor()
{
    QColorDialog dialog(m_color->color(), this);
    if (Modal::exec(dialog) == QDialog::Accepted)
        m_color->setColor(dialog.currentColor());
}
