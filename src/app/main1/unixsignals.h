#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// While it lives, SIGTERM, SIGINT and SIGHUP (log-out, Ctrl+C in a terminal,
// a closed terminal) close the window as if the user had closed it, so that
// it saves its settings. Open dialogs are cancelled first. The signal handler
// only writes to a pipe; the window is closed from the event loop. One closer
// at a time: a second one throws PictoloomError. The handlers found at
// construction come back at destruction.
class UnixSignalCloser : public QObject
{
    Q_OBJECT

public:
    explicit UnixSignalCloser(QWidget *window);
    ~UnixSignalCloser() override;

private:
    void signalArrived();

    QWidget *m_window;
    QSocketNotifier *m_notifier = nullptr;
};
