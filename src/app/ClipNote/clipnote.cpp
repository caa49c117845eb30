#include "ClipNote/clipnote.h"

#include <QClipboard>
#include <QGuiApplication>

TClipNote::TClipNote(QObject *owner)
    : QObject(owner)
{
    // QClipboard::dataChanged is the clipboard mode only; the selection has
    // its own signal.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &TClipNote::clipboardDataChanged);
}

void TClipNote::clipboardDataChanged()
{
    if (m_active)
        emit OnClipboardChange();
}
