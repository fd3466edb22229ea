#include "search/ThumbnailPrefetcher.h"

#include "platform/Exception.h"

#include <QThread>
#include <QUnhandledException>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <exception>

int TThumbnailPrefetcher::AllCores()
{
    return QThread::idealThreadCount();
}

TThumbnailPrefetcher::TThumbnailPrefetcher(std::vector<QByteArray> paths, const QImage& placeholder,
                                           int depth, int threads)
    : TThumbnailPrefetcher(
          std::move(paths),
          [placeholder](const QByteArray& path) { return MakeThumbnail(path, placeholder); }, depth,
          threads, SameThumbnailFiles)
{}

TThumbnailPrefetcher::TThumbnailPrefetcher(std::vector<QByteArray> paths, TDecode decode, int depth,
                                           int threads, TSameThumbnails same)
    : m_paths(std::move(paths)), m_decode(std::move(decode)), m_same(std::move(same)),
      m_depth(depth == DefaultDepth ? std::max(16, 4 * threads) : std::max(depth, 0))
{
    if (threads > 0)
        m_pool.setMaxThreadCount(threads);
    else
        m_cancelled = true; // nothing ahead: every picture is decoded by the caller
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
    std::optional<TThumbnailResult> previous = std::move(m_last);
    std::optional<TThumbnailResult> own;
    if (m_ahead.empty()) {
        own = DecodeHere(index);
    } else {
        TAhead current = std::move(m_ahead.front());
        m_ahead.pop_front();
        // Refill first, so the pool works on the next pictures while this one is finished.
        StartAhead();
        own = Finish(current, index);
    }
    // A twin of a row whose Take failed has nothing to share: it is decoded after all.
    if (!own && !previous)
        own = m_decode(m_paths[size_t(index)]);
    m_last = own ? std::move(own) : std::move(previous);
    return *m_last;
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

std::optional<TThumbnailResult> TThumbnailPrefetcher::Decode(const TDecode& decode,
                                                             const TSameThumbnails& same,
                                                             const QByteArray* previous,
                                                             const QByteArray& path)
{
    if (previous && same && same(*previous, path))
        return std::nullopt;
    return decode(path);
}

std::optional<TThumbnailResult> TThumbnailPrefetcher::DecodeHere(int index) const
{
    const QByteArray* previous = index > 0 ? &m_paths[size_t(index) - 1] : nullptr;
    return Decode(m_decode, m_same, previous, m_paths[size_t(index)]);
}

std::optional<TThumbnailResult> TThumbnailPrefetcher::Finish(TAhead& ahead, int index) const
{
    if (!ahead.claimed->exchange(true))
        return DecodeHere(index);
    try {
        return ahead.result.takeResult();
    } catch (const QUnhandledException& wrapped) {
        // The pool wraps what the function threw; the caller gets it as the function threw it.
        if (wrapped.exception())
            std::rethrow_exception(wrapped.exception());
        throw;
    }
}

void TThumbnailPrefetcher::StartAhead()
{
    while (!m_cancelled && Ahead() < m_depth && m_next + Ahead() < Count()) {
        const size_t index = size_t(m_next + Ahead());
        auto claimed = std::make_shared<std::atomic<bool>>(false);
        QFuture<std::optional<TThumbnailResult>> result = QtConcurrent::run(
            &m_pool,
            [claimed, decode = m_decode, same = m_same, path = m_paths[index],
             previous = index > 0 ? m_paths[index - 1] : QByteArray(), first = index == 0] {
                if (claimed->exchange(true))
                    return std::optional<TThumbnailResult>(); // taken by the caller, or cancelled
                return Decode(decode, same, first ? nullptr : &previous, path);
            });
        m_ahead.push_back({std::move(claimed), std::move(result)});
    }
}
