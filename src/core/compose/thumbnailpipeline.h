#pragma once

#include "thumbnail/thumbnail.h"

#include <QStringList>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

// Makes the thumbnails of a fixed list on worker threads, a bounded number ahead
// of the consumer, and hands them out in list order. Only the decoding runs
// here; everything the user sees happens on the consumer's thread.
class ThumbnailPipeline
{
public:
    // jobs: worker threads (0 = one per core); ahead: how many finished
    // thumbnails may wait for the consumer at most.
    ThumbnailPipeline(QStringList paths, int side, int jobs, int ahead = 0);
    ~ThumbnailPipeline();

    ThumbnailPipeline(const ThumbnailPipeline &) = delete;
    ThumbnailPipeline &operator=(const ThumbnailPipeline &) = delete;

    // Blocks until entry index is made, calling idle every few milliseconds
    // while it waits. Entries are taken in increasing order.
    ThumbnailAttempt take(int index, const std::function<void()> &idle);

private:
    void work();

    const QStringList m_paths;
    const int m_side;
    int m_ahead;
    std::mutex m_mutex;
    std::condition_variable m_claimable;
    std::condition_variable m_finished;
    int m_nextClaim = 0;
    int m_consumed = 0;
    bool m_stopping = false;
    std::map<int, ThumbnailAttempt> m_ready;
    std::vector<std::thread> m_workers;
};
