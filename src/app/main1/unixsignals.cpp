#include "main1/unixsignals.h"

#include "error.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace {

constexpr int ClosingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Read end [0] and write end [1]; -1 while no closer exists.
int signalPipe[2] = {-1, -1};

// The handlers found at installation, put back at the end.
struct sigaction previousActions[std::size(ClosingSignals)];

void onSignal(int signalNumber)
{
    // Only async-signal-safe calls here.
    const int savedErrno = errno;
    const char byte = char(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void installHandler()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(ClosingSignals); ++i)
        sigaction(ClosingSignals[i], &action, &previousActions[i]);
}

void restoreHandlers()
{
    for (std::size_t i = 0; i < std::size(ClosingSignals); ++i)
        sigaction(ClosingSignals[i], &previousActions[i], nullptr);
}

} // namespace

UnixSignalCloser::UnixSignalCloser(QWidget *window)
    : QObject(window), m_window(window)
{
    if (signalPipe[0] != -1)
        throw PictoloomError(QStringLiteral("Signals are already being watched"));
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        signalPipe[0] = signalPipe[1] = -1;
        throw PictoloomError(QStringLiteral("Cannot watch signals: %1").arg(reason));
    }
    m_notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UnixSignalCloser::signalArrived);
    installHandler();
}

UnixSignalCloser::~UnixSignalCloser()
{
    restoreHandlers();
    delete m_notifier;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void UnixSignalCloser::signalArrived()
{
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    // A dialog left open would keep the application running after the window
    // has gone; cancelling it changes nothing, as any cancel does.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *widget : windows) {
        if (auto *dialog = qobject_cast<QDialog *>(widget); dialog && dialog->isVisible())
            dialog->reject();
    }
    m_window->close();
}
