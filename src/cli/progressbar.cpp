#include "progressbar.h"

#include <QByteArray>

#include <unistd.h>

#include <cstdio>

namespace {

constexpr int BarWidth = 40;

} // namespace

ProgressBar::ProgressBar(int total, bool enabled)
    : m_total(total), m_drawing(enabled && total > 0 && ::isatty(STDERR_FILENO))
{
}

ProgressBar::~ProgressBar()
{
    finish();
}

void ProgressBar::step()
{
    ++m_done;
    if (!m_drawing)
        return;
    // Redrawn only when the shown figure changes, so 5,000 files cost 1,000 writes at most.
    const int permille = int(qint64(m_done) * 1000 / m_total);
    if (permille != m_drawnPermille)
        draw();
}

void ProgressBar::printLine(const QByteArray &line)
{
    erase();
    std::fprintf(stderr, "%s\n", line.constData());
    if (m_drawing)
        draw();
}

void ProgressBar::finish()
{
    erase();
}

void ProgressBar::draw()
{
    m_drawnPermille = int(qint64(m_done) * 1000 / m_total);
    const int filled = m_drawnPermille * BarWidth / 1000;
    const QByteArray bar = QByteArray(filled, '#') + QByteArray(BarWidth - filled, '-');
    std::fprintf(stderr, "\r[%s] %d/%d", bar.constData(), m_done, m_total);
    std::fflush(stderr);
    m_shown = true;
}

void ProgressBar::erase()
{
    if (!m_shown)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    m_shown = false;
}
