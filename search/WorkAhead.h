#pragma once

#include <QFuture>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Works out what a long run needs of each item of its list (a file's size, its picture header)
// ahead of the run's per-item work, which stays one item at a time on the window's thread. Such
// work is mostly waiting for the file system, and no item depends on another, so a batch of
// items is worked out on all cores while the caller goes through the batch before it. Each item
// is worked out once. When the caller has to wait for a batch (a cold disk), it is called back
// every few milliseconds, so that it can let the window breathe; if the call back raises, the
// work stops before the error goes on.
template <typename Input, typename Value> class TWorkAhead
{
public:
    static constexpr int Batch = 256;
    // Runs on any thread, with nothing but the item's input.
    using TCompute = std::function<Value(const Input& input)>;
    // Run on the caller's thread: the input of item i, and the call back while waiting.
    using TInputAt = std::function<Input(int index)>;
    using TWaiting = std::function<void()>;

    TWorkAhead(TCompute compute, TInputAt inputAt, TWaiting waiting = {})
        : m_compute(std::move(compute)), m_inputAt(std::move(inputAt)),
          m_waiting(std::move(waiting))
    {
        m_pool.setMaxThreadCount(QThread::idealThreadCount());
    }
    TWorkAhead(const TWorkAhead&) = delete;
    TWorkAhead& operator=(const TWorkAhead&) = delete;
    ~TWorkAhead() { Abandon(m_next); }

    // The value for item `index` of `count`, whose input is `input` (what inputAt gives for it).
    // It comes from the batch worked out with the item; when the item is in neither batch, or
    // its input is no longer what the batch saw (the list was changed from the message loop),
    // a new batch is worked out from the item on.
    Value At(int index, int count, const Input& input)
    {
        if (!Holds(m_current, index, input)) {
            if (!Holds(m_next, index, input)) {
                Abandon(m_next);
                m_next = Start(index, count);
            }
            m_current = std::move(m_next);
            try {
                Finish(*m_current);
            } catch (...) {
                Abandon(m_current);
                throw;
            }
            m_next = Start(m_current->first + int(m_current->items.size()), count);
        }
        return m_current->items[size_t(index - m_current->first)].second;
    }

private:
    struct TBatch
    {
        int first = 0;
        std::vector<std::pair<Input, Value>> items;
        std::atomic<size_t> itemsDone = 0;
        // Released once, by the last item done: a waiter woken for every item would take a core
        // from the work.
        QSemaphore done;
        QFuture<void> work;
        bool finished = false;
    };

    static bool Holds(const std::unique_ptr<TBatch>& batch, int index, const Input& input)
    {
        if (!batch || index < batch->first || index >= batch->first + int(batch->items.size()))
            return false;
        return batch->items[size_t(index - batch->first)].first == input;
    }

    // Nothing when the list has no items from `first` on.
    std::unique_ptr<TBatch> Start(int first, int count)
    {
        if (first >= count)
            return nullptr;
        auto batch = std::make_unique<TBatch>();
        batch->first = first;
        for (int i = first; i < std::min(count, first + Batch); ++i)
            batch->items.emplace_back(m_inputAt(i), Value{});
        TBatch* const worked = batch.get();
        batch->work = QtConcurrent::map(&m_pool, batch->items, [this, worked](auto& item) {
            item.second = m_compute(item.first);
            if (++worked->itemsDone == worked->items.size())
                worked->done.release();
        });
        return batch;
    }

    // The items' own count is waited for, not the pool: waiting on a pool also ends its threads,
    // and starting them again for every batch would cost more than the work.
    void Finish(TBatch& batch)
    {
        while (!batch.finished) {
            batch.finished = batch.done.tryAcquire(1, kWaitMilliseconds);
            if (!batch.finished && m_waiting)
                m_waiting();
        }
        batch.work.waitForFinished();
    }

    static void Abandon(std::unique_ptr<TBatch>& batch)
    {
        if (!batch)
            return;
        batch->work.cancel();
        batch->work.waitForFinished();
        batch.reset();
    }

    static constexpr int kWaitMilliseconds = 5;

    TCompute m_compute;
    TInputAt m_inputAt;
    TWaiting m_waiting;
    QThreadPool m_pool;
    std::unique_ptr<TBatch> m_current;
    std::unique_ptr<TBatch> m_next;
};
