#include "search/WorkAhead.h"

#include <QByteArray>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <map>
#include <stdexcept>

namespace {

// A list of paths whose work is counted per path; the value is the path's length.
class WorkAheadTest : public ::testing::Test
{
protected:
    using TAhead = TWorkAhead<QByteArray, int>;

    void SetUp() override
    {
        for (int i = 0; i < 700; ++i)
            m_paths.push_back("/pictures/" + QByteArray::number(i) + ".jpg");
    }

    int Work(const QByteArray& path)
    {
        const QMutexLocker lock(&m_mutex);
        ++m_worked[path];
        return int(path.size());
    }

    TAhead::TInputAt PathAt()
    {
        return [this](int index) {
            return m_paths[size_t(index)];
        };
    }

    int Count() const { return int(m_paths.size()); }

    std::vector<QByteArray> m_paths;
    QMutex m_mutex;
    std::map<QByteArray, int> m_worked;
};

} // namespace

// Across several batches every item gets its own path's value, and each path is worked on once.
TEST_F(WorkAheadTest, everyItemOfALongListIsWorkedOnOnce)
{
    TAhead ahead([this](const QByteArray& path) { return Work(path); }, PathAt());
    for (int i = 0; i < Count(); ++i)
        ASSERT_EQ(ahead.At(i, Count(), m_paths[size_t(i)]), m_paths[size_t(i)].size()) << i;
    EXPECT_EQ(m_worked.size(), m_paths.size());
    for (const auto& [path, times] : m_worked)
        EXPECT_EQ(times, 1) << path.constData();
}

// The list changed under the run (a new search from the message loop): an item whose path is not
// the one the batch saw gets the value of its new path.
TEST_F(WorkAheadTest, anItemWhosePathChangedIsWorkedOnAgain)
{
    TAhead ahead([this](const QByteArray& path) { return Work(path); }, PathAt());
    ASSERT_EQ(ahead.At(0, Count(), m_paths[0]), m_paths[0].size());
    m_paths[1] = "/a/much/longer/folder/name/than/before/1.jpg";
    EXPECT_EQ(ahead.At(1, Count(), m_paths[1]), m_paths[1].size());
    EXPECT_EQ(m_worked[m_paths[1]], 1);
    // The list also got shorter: the batch ends with it.
    m_paths.resize(3);
    m_paths[2] = "/elsewhere/2.jpg";
    EXPECT_EQ(ahead.At(2, Count(), m_paths[2]), m_paths[2].size());
}

// Slow items (a cold disk) keep the caller called back while it waits; when the call back raises
// (the window was closed), the error comes out of At only after the batch's work has stopped.
TEST_F(WorkAheadTest, theCallerIsCalledBackWhileSlowItemsAreWorkedOut)
{
    std::atomic<int> running = 0;
    int waits = 0;
    TAhead ahead(
        [&](const QByteArray& path) {
            ++running;
            QThread::msleep(20);
            --running;
            return int(path.size());
        },
        PathAt(),
        [&] {
            if (++waits == 3)
                throw std::runtime_error("closed");
        });
    EXPECT_THROW(ahead.At(0, Count(), m_paths[0]), std::runtime_error);
    EXPECT_EQ(waits, 3);
    EXPECT_EQ(running, 0);
}
