#include "search/FileWorkAhead.h"

#include <QMutex>
#include <QMutexLocker>
#include <gtest/gtest.h>
#include <map>

namespace {

// A list of paths whose work is counted per path; the value is the path's length.
class WorkAheadTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 700; ++i)
            m_paths.push_back("/pictures/" + QByteArray::number(i) + ".jpg");
    }

    TFileWorkAhead<int> MakeAhead()
    {
        return TFileWorkAhead<int>(
            [this](const QByteArray& path) {
                const QMutexLocker lock(&m_mutex);
                ++m_worked[path];
                return int(path.size());
            },
            [this](int index) { return m_paths[size_t(index)]; });
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
    TFileWorkAhead<int> ahead = MakeAhead();
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
    TFileWorkAhead<int> ahead = MakeAhead();
    ASSERT_EQ(ahead.At(0, Count(), m_paths[0]), m_paths[0].size());
    m_paths[1] = "/a/much/longer/folder/name/than/before/1.jpg";
    EXPECT_EQ(ahead.At(1, Count(), m_paths[1]), m_paths[1].size());
    EXPECT_EQ(m_worked[m_paths[1]], 1);
    // The list also got shorter: the batch ends with it.
    m_paths.resize(3);
    m_paths[2] = "/elsewhere/2.jpg";
    EXPECT_EQ(ahead.At(2, Count(), m_paths[2]), m_paths[2].size());
}
