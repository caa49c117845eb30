#pragma once

#include <QByteArray>

// A one-line progress bar on stderr, redrawn in place. It draws only when
// stderr is a terminal and it is enabled; lines printed through it appear
// above the bar.
class ProgressBar
{
public:
    ProgressBar(int total, bool enabled);
    ~ProgressBar();

    ProgressBar(const ProgressBar &) = delete;
    ProgressBar &operator=(const ProgressBar &) = delete;

    void step();
    // Prints line on stderr whether or not the bar is drawn.
    void printLine(const QByteArray &line);
    // Removes the bar from the terminal.
    void finish();

private:
    void draw();
    void erase();

    const int m_total;
    const bool m_drawing;
    int m_done = 0;
    int m_drawnPermille = -1;
    bool m_shown = false;
};
