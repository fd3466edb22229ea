#include "search/ThumbnailPrefetcher.h"

#include "platform/Exception.h"

#include <QThread>
#include <QUnhandledException>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <exception>

TThumbnailPrefetcher::TThumbnailPrefetcher(std::vector<QByteArray> paths, const QImage& placeholder,
                                           int depth)
    : TThumbnailPrefetcher(
          std::move(paths),
          [placeholder](const QByteArray& path) { return MakeThumbnail(path, placeholder); }, depth)
{}

TThumbnailPrefetcher::TThumbnailPrefetcher(std::vector<QByteArray> paths, TDecode decode, int depth)
    : m_paths(std::move(paths)), m_decode(std::move(decode)), m_depth(std::max(depth, 0))
{
    // Two decoders beside the caller's thread are enough to keep ahead of the rows; more would
    // only compete with the rest of the program for the disk and the cores.
    m_pool.setMaxThreadCount(std::min(2, QThread::idealThreadCount()));
    StartAhead();
}

TThumbnailPrefetcher::~TThumbnailPrefetcher() noexcept
{
    Cancel();
}

int TThumbnailPrefetcher::Count() const
{
    return int(m_paths.size());
}

int TThumbnailPrefetcher::NextIndex() const
{
    return m_next;
}

int TThumbnailPrefetcher::Ahead() const
{
    return int(m_ahead.size());
}

TThumbnailResult TThumbnailPrefetcher::Take(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(index);
    if (index != m_next)
        throw EInvalidOperation(
            QStringLiteral("Thumbnail %1 asked for before thumbnail %2").arg(index).arg(m_next));
    ++m_next;
    if (m_ahead.empty())
        return m_decode(m_paths[index]);

    TAhead current = std::move(m_ahead.front());
    m_ahead.pop_front();
    // Refill first, so the pool works on the next pictures while this one is finished.
    StartAhead();
    if (!current.claimed->exchange(true))
        return m_decode(m_paths[index]);
    try {
        return current.result.takeResult();
    } catch (const QUnhandledException& wrapped) {
        // The pool wraps what the function threw; the caller gets it as the function threw it.
        if (wrapped.exception())
            std::rethrow_exception(wrapped.exception());
        throw;
    }
}

void TThumbnailPrefetcher::Cancel()
{
    m_cancelled = true;
    for (const TAhead& ahead : m_ahead)
        ahead.claimed->store(true);
    m_pool.clear();
    m_pool.waitForDone();
    m_ahead.clear();
}

void TThumbnailPrefetcher::StartAhead()
{
    while (!m_cancelled && Ahead() < m_depth && m_next + Ahead() < Count()) {
        auto claimed = std::make_shared<std::atomic<bool>>(false);
        QFuture<TThumbnailResult> result = QtConcurrent::run(
            &m_pool, [claimed, decode = m_decode, path = m_paths[size_t(m_next + Ahead())]] {
                if (claimed->exchange(true))
                    return TThumbnailResult(); // taken by the caller, or cancelled
                return decode(path);
            });
        m_ahead.push_back({std::move(claimed), std::move(result)});
    }
}
