#pragma once

#include "search/Thumbnail.h"

#include <QByteArray>
#include <QFuture>
#include <QImage>
#include <QThreadPool>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

// Makes the thumbnails of a list of files in the list's order, decoding the next few files
// ahead on a small thread pool of its own while the caller works on the current one. Take(i)
// gives exactly what the decode function gives for path i: the same function runs, only
// earlier. A picture the pool has not started yet when it is asked for is decoded on the calling
// thread instead of waiting for a pool thread.
//
// At most `depth` pictures after the one being taken are queued, being decoded or decoded and
// waiting, so a long list costs no more memory than a short one.
class TThumbnailPrefetcher
{
public:
    using TDecode = std::function<TThumbnailResult(const QByteArray& path)>;

    // Deep enough that a few slow pictures (large progressive JPEGs) do not leave a pool thread
    // idle; the buffered thumbnails take about 30 KB each.
    static constexpr int DefaultDepth = 16;

    // Decodes with MakeThumbnail(path, placeholder).
    TThumbnailPrefetcher(std::vector<QByteArray> paths, const QImage& placeholder,
                         int depth = DefaultDepth);
    // Decodes with the function, which the pool threads call concurrently.
    TThumbnailPrefetcher(std::vector<QByteArray> paths, TDecode decode, int depth = DefaultDepth);
    ~TThumbnailPrefetcher() noexcept;
    TThumbnailPrefetcher(const TThumbnailPrefetcher&) = delete;
    TThumbnailPrefetcher& operator=(const TThumbnailPrefetcher&) = delete;

    int Count() const;
    // The index the next Take must ask for.
    int NextIndex() const;
    // How many pictures after the ones taken are queued, being decoded or waiting to be taken.
    int Ahead() const;

    // The thumbnails of the path at the index. Each index is taken once, in order from 0: an
    // index beyond the list raises EListError, any other index than NextIndex() raises
    // EInvalidOperation. An error the decode function raised comes out here.
    TThumbnailResult Take(int index);

    // Stops decoding ahead, promptly: pictures the pool has not started are dropped, decodes
    // already running are waited for. Later Takes decode on the calling thread.
    void Cancel();

private:
    // One picture handed to the pool. Whoever sets `claimed` first, a pool thread about to
    // start or the caller (taking it, or cancelling), owns the decoding.
    struct TAhead
    {
        std::shared_ptr<std::atomic<bool>> claimed;
        QFuture<TThumbnailResult> result;
    };

    void StartAhead();

    const std::vector<QByteArray> m_paths;
    const TDecode m_decode;
    const int m_depth;
    int m_next = 0;
    bool m_cancelled = false;
    std::deque<TAhead> m_ahead; // the pictures m_next, m_next + 1, ...
    QThreadPool m_pool;
};
