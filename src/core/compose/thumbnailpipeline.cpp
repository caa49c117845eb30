#include "compose/thumbnailpipeline.h"

#include <algorithm>
#include <chrono>

ThumbnailPipeline::ThumbnailPipeline(QStringList paths, int side, int jobs, int ahead)
    : m_paths(std::move(paths)), m_side(side)
{
    if (jobs <= 0)
        jobs = int(std::max(1u, std::thread::hardware_concurrency()));
    jobs = std::min<int>(jobs, std::max<qsizetype>(1, m_paths.size()));
    // Enough in flight to keep every worker busy while the consumer draws,
    // few enough that memory stays small however long the list.
    m_ahead = ahead > 0 ? ahead : 2 * jobs + 2;
    m_workers.reserve(size_t(jobs));
    for (int i = 0; i < jobs; ++i)
        m_workers.emplace_back(&ThumbnailPipeline::work, this);
}

ThumbnailPipeline::~ThumbnailPipeline()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_claimable.notify_all();
    for (std::thread &worker : m_workers)
        worker.join();
}

void ThumbnailPipeline::work()
{
    for (;;) {
        int index;
        {
            std::unique_lock lock(m_mutex);
            m_claimable.wait(lock, [this] {
                return m_stopping || (m_nextClaim < m_paths.size() && m_nextClaim < m_consumed + m_ahead);
            });
            if (m_stopping)
                return;
            index = m_nextClaim++;
        }
        ThumbnailAttempt attempt = TryFileToThumbnail(m_paths.at(index), m_side);
        {
            std::lock_guard lock(m_mutex);
            m_ready.emplace(index, std::move(attempt));
        }
        m_finished.notify_all();
    }
}

ThumbnailAttempt ThumbnailPipeline::take(int index, const std::function<void()> &idle)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        auto it = m_ready.find(index);
        if (it != m_ready.end()) {
            ThumbnailAttempt attempt = std::move(it->second);
            m_ready.erase(it);
            m_consumed = index + 1;
            lock.unlock();
            m_claimable.notify_all();
            return attempt;
        }
        m_finished.wait_for(lock, std::chrono::milliseconds(10));
        if (idle) {
            lock.unlock();
            idle();
            lock.lock();
        }
    }
}
