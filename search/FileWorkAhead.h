#pragma once

#include <QByteArray>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

// Works out what a long run needs of each file of its list (its size, its picture header...)
// ahead of the run's per-file work, which stays one file at a time on the window's thread:
// opening a file is most of such work, and no file depends on another, so a batch of files is
// worked out at once on all cores while the caller waits. Each file is still looked at once.
template <typename Value> class TFileWorkAhead
{
public:
    static constexpr int Batch = 256;
    // Runs on any thread; it sees only the path.
    using TCompute = std::function<Value(const QByteArray& path)>;
    // Runs on the caller's thread: the path of item i.
    using TPathAt = std::function<QByteArray(int index)>;

    TFileWorkAhead(TCompute compute, TPathAt pathAt)
        : m_compute(std::move(compute)), m_pathAt(std::move(pathAt))
    {
        m_pool.setMaxThreadCount(QThread::idealThreadCount());
    }

    // The value for item `index` of `count`, whose path is `path`. It comes from the batch worked
    // out with the item; when the item is not in it, or no longer has the path the batch saw (the
    // list was changed from the message loop), a new batch is worked out from the item on.
    Value At(int index, int count, const QByteArray& path)
    {
        const int slot = index - m_first;
        if (slot < 0 || slot >= int(m_batch.size()) || m_batch[size_t(slot)].first != path)
            WorkOutFrom(index, count);
        return m_batch[size_t(index - m_first)].second;
    }

private:
    void WorkOutFrom(int first, int count)
    {
        m_first = first;
        m_batch.clear();
        for (int i = first; i < std::min(count, first + Batch); ++i)
            m_batch.emplace_back(m_pathAt(i), Value{});
        QtConcurrent::blockingMap(&m_pool, m_batch, [this](std::pair<QByteArray, Value>& item) {
            item.second = m_compute(item.first);
        });
    }

    TCompute m_compute;
    TPathAt m_pathAt;
    QThreadPool m_pool;
    int m_first = 0;
    std::vector<std::pair<QByteArray, Value>> m_batch;
};
