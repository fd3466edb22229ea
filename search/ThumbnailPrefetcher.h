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
#include <optional>
#include <vector>

// Makes the thumbnails of a list of files in the list's order, decoding the next files ahead on
// a thread pool of its own (one thread a core) while the caller works on the current one.
// Take(i) gives exactly what the decode function gives for path i: the same function runs, only
// earlier. A picture the pool has not started yet when it is asked for is decoded on the calling
// thread instead of waiting for a pool thread.
//
// A file that gets the same thumbnails as the one before it (a twin in the results) is not
// decoded again: its row gets the previous row's pictures, the same QImage objects.
//
// At most `depth` pictures after the one being taken are queued, being decoded or decoded and
// waiting, so a long list costs no more memory than a short one, whatever the core count.
class TThumbnailPrefetcher
{
public:
    using TDecode = std::function<TThumbnailResult(const QByteArray& path)>;
    // Whether the path gets the same thumbnails as the path before it.
    using TSameThumbnails = std::function<bool(const QByteArray& previous, const QByteArray& path)>;

    // Four pictures a thread, and at least 16: deep enough that a few slow pictures (large
    // progressive JPEGs) do not leave a pool thread idle; a buffered thumbnail takes 30 KB.
    static constexpr int DefaultDepth = -1;

    // One pool thread a core.
    static int AllCores();

    // Decodes with MakeThumbnail(path, placeholder); twins (SameThumbnailFiles) share.
    TThumbnailPrefetcher(std::vector<QByteArray> paths, const QImage& placeholder,
                         int depth = DefaultDepth, int threads = AllCores());
    // Decodes with the function, which the pool threads call concurrently, as they call `same`
    // (when given) before it; with zero threads everything is decoded by the caller.
    TThumbnailPrefetcher(std::vector<QByteArray> paths, TDecode decode, int depth = DefaultDepth,
                         int threads = AllCores(), TSameThumbnails same = {});
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
        QFuture<std::optional<TThumbnailResult>> result;
    };

    // The thumbnails of the path, or nothing when they are those of the path before it.
    static std::optional<TThumbnailResult> Decode(const TDecode& decode,
                                                  const TSameThumbnails& same,
                                                  const QByteArray* previous,
                                                  const QByteArray& path);
    std::optional<TThumbnailResult> DecodeHere(int index) const;
    std::optional<TThumbnailResult> Finish(TAhead& ahead, int index) const;
    void StartAhead();

    const std::vector<QByteArray> m_paths;
    const TDecode m_decode;
    const TSameThumbnails m_same;
    const int m_depth;
    int m_next = 0;
    // What the last Take gave, for a twin that follows it; empty when that Take failed.
    std::optional<TThumbnailResult> m_last;
    bool m_cancelled = false;
    std::deque<TAhead> m_ahead; // the pictures m_next, m_next + 1, ...
    QThreadPool m_pool;
};
