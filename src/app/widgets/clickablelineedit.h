#pragma once

#include <QLineEdit>

// A line edit that tells when it is double-clicked (after selecting the word, as usual).
class ClickableLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        QLineEdit::mouseDoubleClickEvent(event);
        emit doubleClicked();
    }
};
