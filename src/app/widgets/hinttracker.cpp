#include "widgets/hinttracker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

HintTracker::HintTracker(QObject *parent)
    : QObject(parent)
{
}

void HintTracker::install()
{
    QCoreApplication::instance()->installEventFilter(this);
}

QString HintTracker::hintOf(const QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (!widget->statusTip().isEmpty())
            return widget->statusTip();
        if (widget->isWindow())
            break;
    }
    return {};
}

bool HintTracker::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
    case QEvent::StatusTip:
        return true;
    case QEvent::Enter:
        if (auto *widget = qobject_cast<QWidget *>(watched))
            setHint(hintOf(widget));
        break;
    case QEvent::Leave:
        // Leaving a child for its parent sends no Enter to the parent, so the
        // pointer is now over the parent (or outside the window).
        if (auto *widget = qobject_cast<QWidget *>(watched))
            setHint(widget->isWindow() ? QString() : hintOf(widget->parentWidget()));
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void HintTracker::setHint(const QString &hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    emit hintChanged(hint);
}
