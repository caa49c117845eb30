#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

// A 10 ms tick stands in for repaints and clicks: the longest gap between two
// ticks is the worst delay the window would have shown its user.
class EventGapMeter
{
public:
    EventGapMeter()
    {
        m_tick.setInterval(10);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { m_longestMs = std::max(m_longestMs, m_since.restart()); });
    }

    void start()
    {
        m_since.start();
        m_tick.start();
    }

    qint64 longestMs() const { return m_longestMs; }

private:
    QTimer m_tick;
    QElapsedTimer m_since;
    qint64 m_longestMs = 0;
};
