#include "search/ContentOrder.h"

#include "SampleImages.h"
#include "platform/Exception.h"
#include "search/ContentCompare.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

namespace {

constexpr qsizetype kBlock = TContentComparer::BlockSize;

QByteArray Content(char fill, qsizetype size)
{
    return QByteArray(size, fill);
}

QByteArray ReadAll(const QByteArray& path)
{
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ContentOrderTest : public ::testing::Test
{
protected:
    // Adds a candidate file with the content; its size text is its real size.
    void Add(const QByteArray& content)
    {
        const QString name = QStringLiteral("f%1").arg(m_candidates.size());
        m_candidates.push_back(TCandidateFile::FromSizeText(WriteFile(m_dir, name, content),
                                                            QString::number(content.size())));
    }
    // Adds a candidate whose file does not exist, with the size text given.
    void AddMissing(const QString& sizeText)
    {
        m_candidates.push_back(TCandidateFile::FromSizeText(
            QFile::encodeName(m_dir.filePath(QStringLiteral("missing%1").arg(m_candidates.size()))),
            sizeText));
    }

    std::vector<int> Order()
    {
        m_reads = 0;
        return ContentOrder(m_candidates,
                            [this](TReadPoint point, const TReadCount&) {
                                m_reads += point == TReadPoint::FileEnd;
                            })
            .Order;
    }

    // How many neighbouring pairs of the order the comparison would report.
    int IdenticalNeighbours(const std::vector<int>& order)
    {
        TContentComparer comparer;
        int pairs = 0;
        for (size_t i = 0; i + 1 < order.size(); ++i)
            pairs += comparer.Compare(m_candidates[size_t(order[i])],
                                      m_candidates[size_t(order[i + 1])]) == TComparison::Identical;
        return pairs;
    }

    std::vector<int> Identity() const
    {
        std::vector<int> order(m_candidates.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = int(i);
        return order;
    }

    QTemporaryDir m_dir;
    std::vector<TCandidateFile> m_candidates;
    int m_reads = 0;
};

} // namespace

TEST_F(ContentOrderTest, twinsSeparatedByAnotherFileOfTheirSizeBecomeNeighbours)
{
    Add(Content('a', 500));
    Add(Content('b', 500));
    Add(Content('a', 500));
    EXPECT_EQ(IdenticalNeighbours(Identity()), 0);
    const std::vector<int> order = Order();
    EXPECT_EQ(order, (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(IdenticalNeighbours(order), 1);
    EXPECT_EQ(m_reads, 3); // each small file read once, as one block
}

TEST_F(ContentOrderTest, everyFileJoinsTheFirstOfItsContent)
{
    Add(Content('b', 400)); // 0
    Add(Content('a', 400)); // 1
    Add(Content('a', 400)); // 2
    Add(Content('b', 400)); // 3
    Add(Content('c', 400)); // 4
    Add(Content('a', 400)); // 5
    EXPECT_EQ(Order(), (std::vector<int>{0, 3, 1, 2, 5, 4}));
}

TEST_F(ContentOrderTest, runsWithoutTwinsAndShortRunsKeepTheirOrder)
{
    Add(Content('z', 300)); // a run of one
    Add(Content('x', 301)); // a run of two, identical: left to the comparison
    Add(Content('x', 301));
    Add(Content('a', 302)); // a run of three, all different
    Add(Content('b', 302));
    Add(Content('c', 302));
    Add(Content('a', 303)); // same content as 3, other size text: never mixed
    EXPECT_EQ(Order(), Identity());
    EXPECT_EQ(m_reads, 3); // only the run of three was opened
}

TEST_F(ContentOrderTest, onlyFilesWithMatchingFirstBlocksAreReadWhole)
{
    const QByteArray big = Content('p', 3 * kBlock);
    QByteArray tail = big;
    tail[tail.size() - 1] = 'q'; // first block as big's, last byte differs
    QByteArray head = big;
    head[0] = 'q'; // differs in the first block
    Add(big);
    Add(tail);
    Add(head);
    Add(big);
    EXPECT_EQ(Order(), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(m_reads,
              4 + 3); // four first blocks, then the three that shared theirs
}

// The caller can show how far the reading is: each pass counts its files from one to all of
// them, naming a file of the pass each time.
TEST_F(ContentOrderTest, theReadCountRunsThroughEachPassNamingItsFiles)
{
    const QByteArray big = Content('p', 3 * kBlock);
    QByteArray other = big;
    other[0] = 'q';
    Add(big);
    Add(other);
    Add(big);
    std::vector<std::pair<size_t, size_t>> counts;
    std::set<QByteArray> named;
    ContentOrder(m_candidates, [&](TReadPoint point, const TReadCount& count) {
        if (point != TReadPoint::FileEnd)
            return;
        counts.emplace_back(count.read, count.toRead);
        ASSERT_NE(count.lastFile, nullptr);
        named.insert(count.lastFile->path);
    });
    // Three first blocks, then the two files that shared theirs read whole.
    EXPECT_EQ(counts,
              (std::vector<std::pair<size_t, size_t>>{{1, 3}, {2, 3}, {3, 3}, {1, 2}, {2, 2}}));
    for (const QByteArray& path : named)
        EXPECT_TRUE(path == m_candidates[0].path || path == m_candidates[1].path ||
                    path == m_candidates[2].path)
            << path.constData();
}

TEST_F(ContentOrderTest, unreadableFilesStayWhereTheyAreAndMatchNothing)
{
    Add(Content('a', 700)); // 0
    AddMissing(QStringLiteral("700"));
    Add(Content('b', 700)); // 2
    AddMissing(QStringLiteral("700"));
    Add(Content('a', 700)); // 4
    EXPECT_EQ(Order(), (std::vector<int>{0, 4, 1, 2, 3}));
}

TEST_F(ContentOrderTest, sampleDuplicatesAmongFilesOfTheirSize)
{
    // Three BMPs of 4,246 bytes: a duplicate pair beside a file that differs.
    std::vector<QString> files;
    for (const TSample& sample : SamplesUnder(QStringLiteral("bmp/"))) {
        QFile file(TestDataDir() + u'/' + sample.file);
        if (file.size() == 4246)
            files.push_back(sample.file);
    }
    ASSERT_EQ(files.size(), 3u);
    // Put the odd one between the twins, whichever it is.
    std::vector<QByteArray> paths;
    for (const QString& file : files)
        paths.push_back(CopySample(m_dir, file));
    const int odd = ReadAll(paths[0]) == ReadAll(paths[1])   ? 2
                    : ReadAll(paths[0]) == ReadAll(paths[2]) ? 1
                                                             : 0;
    const int first = odd == 0 ? 1 : 0;
    const int second = 3 - odd - first;
    for (int i : {first, odd, second})
        m_candidates.push_back(
            TCandidateFile::FromSizeText(paths[size_t(i)], QStringLiteral("4246")));
    EXPECT_EQ(IdenticalNeighbours(Identity()), 0);
    EXPECT_EQ(IdenticalNeighbours(Order()), 1);
}

TEST_F(ContentOrderTest, anErrorFromTheProgressCallbackStopsTheReadingAndComesOut)
{
    for (int i = 0; i < 40; ++i)
        Add(Content(char('a' + i % 3), 2 * kBlock));
    int calls = 0;
    EXPECT_THROW(ContentOrder(m_candidates,
                              [&calls](TReadPoint, const TReadCount&) {
                                  if (++calls == 2)
                                      throw EInvalidOperation(QStringLiteral("window closed"));
                              }),
                 EInvalidOperation);
    EXPECT_EQ(calls, 2);
}

// Long files are read with pauses for the window inside them, not only between
// files, and a file grown since it was measured is read no further than its
// measured size: it joins no one.
TEST_F(ContentOrderTest, longFilesLetTheCallerInInsideThemAndEndAtTheirMeasuredSize)
{
    const int64_t size = TContentComparer::ProgressInterval + kBlock;
    for (int i = 0; i < 3; ++i) {
        Add({});
        const QByteArray& path = m_candidates.back().path;
        ASSERT_EQ(::truncate(path.constData(), size), 0);
        m_candidates.back() = TCandidateFile::FromSizeText(path, QString::number(size));
    }
    // The middle one grows after it was measured; the others are twins.
    m_candidates.insert(m_candidates.begin() + 1, m_candidates.back());
    m_candidates.pop_back();
    ASSERT_EQ(::truncate(m_candidates[1].path.constData(), 4 * size), 0);
    int inside = 0;
    const std::vector<int> order =
        ContentOrder(m_candidates, [&inside](TReadPoint point, const TReadCount&) {
            inside += point == TReadPoint::InsideFile;
        }).Order;
    EXPECT_EQ(order, (std::vector<int>{0, 2, 1}));
    EXPECT_GE(inside, 1);
}
