#pragma once

#include <QObject>

// Watches the clipboard (not the primary selection) on behalf of its owner and
// raises OnClipboardChange on every change while Active. It listens from its
// construction on, whatever Active says; Active only decides whether the
// change is passed on. Changes the program makes itself, and the owner of the
// clipboard quitting, are changes too.
class TClipNote : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE setActive)

public:
    explicit TClipNote(QObject *owner = nullptr);

    bool Active() const { return m_active; }
    void setActive(bool active) { m_active = active; }

signals:
    void OnClipboardChange();

private:
    void clipboardDataChanged();

    bool m_active = false;
};
