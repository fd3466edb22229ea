#include "search/ContentCompare.h"

#include "SampleImages.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
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
        EXPECT_TRUE(m_comparer.SameFileContent(Write("a", bytes), Write("b", bytes)));
    }
}

TEST_F(ContentCompareTest, aDifferenceAnywhereIsFound)
{
    const QByteArray bytes = Pattern(2 * kBlock + 500);
    for (qsizetype at : {qsizetype(0), kBlock - 1, kBlock, kBlock + 10, bytes.size() - 1}) {
        SCOPED_TRACE(at);
        QByteArray changed = bytes;
        changed[at] = char(changed[at] ^ 0x01);
        EXPECT_FALSE(m_comparer.SameFileContent(Write("a", bytes), Write("b", changed)));
    }
}

TEST_F(ContentCompareTest, differentSizesDiffer)
{
    const QByteArray bytes = Pattern(kBlock + 5);
    EXPECT_FALSE(m_comparer.SameFileContent(Write("a", bytes), Write("b", bytes.left(kBlock))));
    EXPECT_FALSE(m_comparer.SameFileContent(Write("c", {}), Write("d", "x")));
}

// A file that vanished or cannot be read makes its pair different; it never ends the search.
TEST_F(ContentCompareTest, filesThatCannotBeReadMakeThePairDifferent)
{
    const QByteArray present = Write("present", Pattern(200));
    const QByteArray missing = QFile::encodeName(m_dir.filePath("missing"));
    EXPECT_FALSE(m_comparer.SameFileContent(present, missing));
    EXPECT_FALSE(m_comparer.SameFileContent(missing, present));
    EXPECT_FALSE(m_comparer.SameFileContent(present, QFile::encodeName(m_dir.path())));
    // The comparer still works after a failure.
    EXPECT_TRUE(m_comparer.SameFileContent(present, Write("twin", Pattern(200))));
}

TEST_F(ContentCompareTest, unreadableFileMakesThePairDifferent)
{
    const QByteArray a = Write("a", Pattern(200));
    const QByteArray b = Write("b", Pattern(200));
    ASSERT_EQ(::chmod(b.constData(), 0), 0);
    if (IgnoresFilePermissions(m_dir))
        GTEST_SKIP() << "running with the right to read any file (root)";
    EXPECT_FALSE(m_comparer.SameFileContent(a, b));
}

// Removing "the copy" of a file that is only reached twice would remove the file itself.
TEST_F(ContentCompareTest, oneFileReachedTwiceIsNoDuplicate)
{
    const QByteArray a = Write("a", Pattern(300));
    const QByteArray link = QFile::encodeName(m_dir.filePath("hardlink"));
    ASSERT_EQ(::link(a.constData(), link.constData()), 0);
    EXPECT_FALSE(m_comparer.SameFileContent(a, a));
    EXPECT_FALSE(m_comparer.SameFileContent(a, link));
}
