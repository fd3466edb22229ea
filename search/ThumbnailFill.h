#pragma once

#include "search/Thumbnail.h"

#include <QByteArray>
#include <QImage>
#include <QThreadPool>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

// Makes the thumbnails of a list of files (with MakeThumbnail, or a function standing in for it)
// on a thread pool of its own, one thread a core, while
// the caller goes on: the files the caller prefers (the rows on screen) first, then the others
// from the top. A file that gets the same thumbnails as the one before it (a twin in the
// results) is not decoded again: it gets that file's pictures, the same QImage objects.
//
// Each file's result is given out once, as soon as it is known; results are kept only until
// the file after them no longer needs them, so a long list costs no more memory than the
// pictures on their way.
class TThumbnailFill
{
public:
    using TDecode = std::function<TThumbnailResult(const QByteArray& path)>;
    // Whether the path gets the same thumbnails as the path before it.
    using TSameThumbnails = std::function<bool(const QByteArray& previous, const QByteArray& path)>;

    // One file whose thumbnails are known: its index in the list and its result.
    struct TArrived
    {
        int index;
        TThumbnailResult result;
    };

    static int AllCores();

    // Decodes with the function on at least one pool thread; the pool threads call it and
    // `same` (when given, before it) concurrently.
    TThumbnailFill(std::vector<QByteArray> paths, TDecode decode, TSameThumbnails same,
                   int threads);
    ~TThumbnailFill() noexcept;
    TThumbnailFill(const TThumbnailFill&) = delete;
    TThumbnailFill& operator=(const TThumbnailFill&) = delete;

    int Count() const { return int(m_paths.size()); }

    // The files from first to last (both included, clipped to the list) go before every other
    // not started yet; each call replaces the one before.
    void Prefer(int first, int last);
    // The results known since the last call, waiting up to the time for one when none is; empty
    // once all are given out. An error the decode function raised comes out here.
    std::vector<TArrived> Take(int waitMilliseconds);
    // Whether every file's result has been given out.
    bool Done() const;

    // Stops promptly: files not started are dropped, decodes already running are waited for.
    void Cancel();

private:
    // What a pool thread found for one file: its own result, or none when it shares the
    // result of the file before it.
    struct TOutcome
    {
        int index;
        std::optional<TThumbnailResult> own;
    };

    void Work();
    // The next file a pool thread is to decode, or -1 when there is none or the fill is
    // stopping. Called with the lock held.
    int ClaimNext();
    bool Claim(int index);
    // Gives out the file's result and those of the twins after it that wait for it. Called with
    // the lock held.
    void Resolve(int index, TThumbnailResult result, std::vector<TArrived>& arrived);

    const std::vector<QByteArray> m_paths;
    const TDecode m_decode;
    const TSameThumbnails m_same;

    mutable std::mutex m_lock;
    std::condition_variable m_arrival;
    std::vector<bool> m_claimed;
    int m_nextInOrder = 0; // every file before it is claimed
    int m_preferNext = 0;  // the next preferred file that may be unclaimed
    int m_preferLast = -1;
    std::vector<TOutcome> m_finished; // found by the pool, not yet given out
    // The result of each file given out, kept while the file after it may still share it.
    std::vector<std::optional<TThumbnailResult>> m_given;
    std::vector<bool> m_out;
    // Twins found by the pool whose previous file's result is not given out yet.
    std::vector<bool> m_twinWaiting;
    int m_outCount = 0;
    bool m_stopping = false;
    std::exception_ptr m_error;

    QThreadPool m_pool;
};
