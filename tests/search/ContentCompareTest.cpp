#include "search/ContentCompare.h"

#include "SampleImages.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "support/FailingFileSystem.h"

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr qsizetype kBlock = TContentComparer::BlockSize;

QByteArray Pattern(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 31 + i / 251) & 0xFF);
    return bytes;
}

class ContentCompareTest : public ::testing::Test
{
protected:
    QByteArray Write(const char* name, const QByteArray& bytes)
    {
        return WriteFile(m_dir, QString::fromLatin1(name), bytes);
    }

    // The file as the candidate list measures it now.
    static TCandidateFile Measured(const QByteArray& path)
    {
        return TCandidateFile::FromSizeText(path, QString::number(qint64(FileSizeOf(path))));
    }

    TComparison Compare(const QByteArray& a, const QByteArray& b)
    {
        return m_comparer.Compare(Measured(a), Measured(b));
    }

    bool SameFileContent(const QByteArray& a, const QByteArray& b)
    {
        return Compare(a, b) == TComparison::Identical;
    }

    QTemporaryDir m_dir;
    TContentComparer m_comparer;
};

} // namespace

TEST_F(ContentCompareTest, identicalBytesAtAnySize)
{
    for (qsizetype size : {qsizetype(0), qsizetype(1), qsizetype(101), kBlock - 1, kBlock,
                           kBlock + 1, 3 * kBlock, 3 * kBlock + 17}) {
        SCOPED_TRACE(size);
        const QByteArray bytes = Pattern(size);
        EXPECT_TRUE(SameFileContent(Write("a", bytes), Write("b", bytes)));
    }
}

TEST_F(ContentCompareTest, aDifferenceAnywhereIsFound)
{
    const QByteArray bytes = Pattern(2 * kBlock + 500);
    for (qsizetype at : {qsizetype(0), kBlock - 1, kBlock, kBlock + 10, bytes.size() - 1}) {
        SCOPED_TRACE(at);
        QByteArray changed = bytes;
        changed[at] = char(changed[at] ^ 0x01);
        EXPECT_FALSE(SameFileContent(Write("a", bytes), Write("b", changed)));
    }
}

TEST_F(ContentCompareTest, differentSizesDiffer)
{
    const QByteArray bytes = Pattern(kBlock + 5);
    EXPECT_FALSE(SameFileContent(Write("a", bytes), Write("b", bytes.left(kBlock))));
    EXPECT_FALSE(SameFileContent(Write("c", {}), Write("d", "x")));
}

// A file that vanished or cannot be read makes its pair different; it never ends the search.
TEST_F(ContentCompareTest, filesThatCannotBeReadMakeThePairDifferent)
{
    const QByteArray present = Write("present", Pattern(200));
    const QByteArray missing = QFile::encodeName(m_dir.filePath("missing"));
    EXPECT_FALSE(SameFileContent(present, missing));
    EXPECT_FALSE(SameFileContent(missing, present));
    EXPECT_FALSE(SameFileContent(present, QFile::encodeName(m_dir.path())));
    // The comparer still works after a failure.
    EXPECT_TRUE(SameFileContent(present, Write("twin", Pattern(200))));
}

// A file the system refuses to open, or to measure again after reading, is changed: its bytes
// never make it identical to another.
TEST_F(ContentCompareTest, fileThatCannotBeOpenedOrMeasuredIsChanged)
{
    const QByteArray a = Write("a", Pattern(200));
    const QByteArray b = Write("b", Pattern(200));
    FailingFileSystem files;
    TContentComparer comparer({}, files);
    EXPECT_EQ(comparer.Compare(Measured(a), Measured(b)), TComparison::Identical);

    files.Fail(FailingFileSystem::Call::OpenFile, b, EACCES);
    EXPECT_EQ(comparer.Compare(Measured(a), Measured(b)), TComparison::SecondChanged);
    EXPECT_EQ(comparer.Compare(Measured(b), Measured(a)), TComparison::FirstChanged);

    const QByteArray c = Write("c", Pattern(200));
    files.Fail(FailingFileSystem::Call::MeasureFile, c, EIO);
    EXPECT_EQ(comparer.Compare(Measured(a), Measured(c)), TComparison::SecondChanged);
}

// Removing "the copy" of a file that is only reached twice would remove the file itself.
TEST_F(ContentCompareTest, oneFileReachedTwiceIsNoDuplicate)
{
    const QByteArray a = Write("a", Pattern(300));
    const QByteArray link = QFile::encodeName(m_dir.filePath("hardlink"));
    ASSERT_EQ(::link(a.constData(), link.constData()), 0);
    EXPECT_FALSE(SameFileContent(a, a));
    EXPECT_FALSE(SameFileContent(a, link));
}

// A file is read as it was measured: one that grew, shrank or vanished since is changed, and
// the comparison names which one, whatever it would hold now.
TEST_F(ContentCompareTest, aFileChangedSinceItWasMeasuredIsNamed)
{
    const QByteArray bytes = Pattern(3 * kBlock);
    const QByteArray a = Write("a", bytes);
    const QByteArray b = Write("b", bytes);
    const TCandidateFile first = Measured(a);
    const TCandidateFile second = Measured(b);
    EXPECT_EQ(m_comparer.Compare(first, second), TComparison::Identical);

    Write("b", bytes + "more");
    EXPECT_EQ(m_comparer.Compare(first, second), TComparison::SecondChanged);
    Write("b", bytes.left(kBlock));
    EXPECT_EQ(m_comparer.Compare(first, second), TComparison::SecondChanged);
    Write("b", bytes);
    ASSERT_EQ(::unlink(a.constData()), 0);
    EXPECT_EQ(m_comparer.Compare(first, second), TComparison::FirstChanged);
}

// Between two blocks of a long pair the caller is told, and may end the comparison.
TEST_F(ContentCompareTest, longPairsReportProgressEverySixtyFourMebibytes)
{
    const int64_t size = 2 * TContentComparer::ProgressInterval + kBlock;
    const QByteArray a = Write("a", {});
    const QByteArray b = Write("b", {});
    ASSERT_EQ(::truncate(a.constData(), size), 0);
    ASSERT_EQ(::truncate(b.constData(), size), 0);
    int calls = 0;
    TContentComparer counting([&calls] { ++calls; });
    EXPECT_EQ(counting.Compare(Measured(a), Measured(b)), TComparison::Identical);
    EXPECT_EQ(calls, 2);

    TContentComparer stopping([] { throw Exception(QStringLiteral("stopped")); });
    EXPECT_THROW(stopping.Compare(Measured(a), Measured(b)), Exception);
}
