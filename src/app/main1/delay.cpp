#include "main1/delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

void Delay(uint32_t milliseconds)
{
    // A monotonic clock: a clock change or a counter wrap cannot end or stretch the wait.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < qint64(milliseconds)) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
}
