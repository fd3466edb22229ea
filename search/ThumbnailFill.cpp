#include "search/ThumbnailFill.h"

#include <QThread>
#include <algorithm>
#include <chrono>
#include <utility>

int TThumbnailFill::AllCores()
{
    return QThread::idealThreadCount();
}

TThumbnailFill::TThumbnailFill(std::vector<QByteArray> paths, TDecode decode,
                               TSameThumbnails same, int threads)
    : m_paths(std::move(paths)), m_decode(std::move(decode)), m_same(std::move(same)),
      m_claimed(m_paths.size()), m_given(m_paths.size()), m_out(m_paths.size()),
      m_twinWaiting(m_paths.size())
{
    threads = std::max(threads, 1);
    m_pool.setMaxThreadCount(threads);
    for (int t = 0; t < threads; ++t)
        m_pool.start([this] { Work(); });
}

TThumbnailFill::~TThumbnailFill() noexcept
{
    Cancel();
}

void TThumbnailFill::Prefer(int first, int last)
{
    const std::lock_guard lock(m_lock);
    m_preferNext = std::max(first, 0);
    m_preferLast = std::min(last, Count() - 1);
}

std::vector<TThumbnailFill::TArrived> TThumbnailFill::Take(int waitMilliseconds)
{
    std::unique_lock lock(m_lock);
    if (m_finished.empty() && !m_error && m_outCount < Count())
        m_arrival.wait_for(lock, std::chrono::milliseconds(waitMilliseconds));
    if (m_error)
        std::rethrow_exception(m_error);
    std::vector<TArrived> arrived;
    const std::vector<TOutcome> finished = std::exchange(m_finished, {});
    for (const TOutcome& outcome : finished) {
        const int index = outcome.index;
        if (outcome.own)
            Resolve(index, *outcome.own, arrived);
        else if (m_out[size_t(index) - 1])
            Resolve(index, *m_given[size_t(index) - 1], arrived);
        else
            m_twinWaiting[size_t(index)] = true;
    }
    return arrived;
}

bool TThumbnailFill::Done() const
{
    const std::lock_guard lock(m_lock);
    return m_outCount == Count();
}

void TThumbnailFill::Cancel()
{
    {
        const std::lock_guard lock(m_lock);
        m_stopping = true;
    }
    m_pool.waitForDone();
}

void TThumbnailFill::Work()
{
    std::unique_lock lock(m_lock);
    for (int index = ClaimNext(); index >= 0;) {
        lock.unlock();
        TOutcome outcome{index, std::nullopt};
        try {
            const size_t at = size_t(index);
            const bool shares = index > 0 && m_same && m_same(m_paths[at - 1], m_paths[at]);
            if (!shares)
                outcome.own = m_decode(m_paths[at]);
        } catch (...) {
            lock.lock();
            if (!m_error)
                m_error = std::current_exception();
            m_stopping = true;
            m_arrival.notify_all();
            return;
        }
        lock.lock();
        const bool shares = !outcome.own;
        m_finished.push_back(std::move(outcome));
        m_arrival.notify_all();
        // A twin waits for the file before it: that one goes next, so a preferred row is not
        // held up until the order reaches the start of its group.
        index = shares && Claim(index - 1) ? index - 1 : ClaimNext();
    }
}

int TThumbnailFill::ClaimNext()
{
    while (m_preferNext <= m_preferLast)
        if (const int index = m_preferNext++; Claim(index))
            return index;
    while (m_nextInOrder < Count())
        if (const int index = m_nextInOrder++; Claim(index))
            return index;
    return -1;
}

bool TThumbnailFill::Claim(int index)
{
    if (m_stopping || m_claimed[size_t(index)])
        return false;
    m_claimed[size_t(index)] = true;
    return true;
}

void TThumbnailFill::Resolve(int index, TThumbnailResult result, std::vector<TArrived>& arrived)
{
    for (;;) {
        const size_t at = size_t(index);
        m_out[at] = true;
        ++m_outCount;
        if (index > 0)
            m_given[at - 1].reset();
        const bool nextWaits = index + 1 < Count() && m_twinWaiting[at + 1];
        if (index + 1 < Count() && !m_out[at + 1] && !nextWaits)
            m_given[at] = result;
        arrived.push_back({index, result});
        if (!nextWaits)
            return;
        m_twinWaiting[at + 1] = false;
        ++index;
    }
}
