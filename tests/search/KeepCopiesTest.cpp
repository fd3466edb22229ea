#include "search/KeepCopies.h"

#include "SampleImages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

using enum TRemovalChoice;

class KeepCopiesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QByteArray Path(const QString& name) const { return QFile::encodeName(m_dir.filePath(name)); }
    QByteArray Write(const QString& name, const QByteArray& bytes)
    {
        QDir(m_dir.path()).mkpath(QFileInfo(m_dir.filePath(name)).path());
        return WriteFile(m_dir, name, bytes);
    }
    // A row whose name is a link to the target.
    QByteArray Link(const QString& name, const QByteArray& target)
    {
        const QByteArray path = Path(name);
        EXPECT_EQ(::symlink(target.constData(), path.constData()), 0);
        return path;
    }

    QTemporaryDir m_dir;
};

TResultFile Marked(const QByteArray& path)
{
    return {path, true};
}

TResultFile Unmarked(const QByteArray& path)
{
    return {path, false};
}

} // namespace

TEST_F(KeepCopiesTest, markedCopiesGoWhileOneCopyOfEachPictureStays)
{
    const std::vector<TResultFile> rows = {
        Unmarked(Write("a1.jpg", "picture A")), Marked(Write("a2.jpg", "picture A")),
        Marked(Write("b1.jpg", "picture B")),   Unmarked(Write("b2.jpg", "picture B")),
        Marked(Write("c1.jpg", "picture C")),   Marked(Write("c2.jpg", "picture C")),
        Marked(Write("c3.jpg", "picture C")),
    };
    EXPECT_EQ(ChooseRemovals(rows),
              (std::vector{Untouched, Remove, Remove, Untouched, Keep, Remove, Remove}));
}

TEST_F(KeepCopiesTest, filesOfOneSizeAreToldApartByTheirBytes)
{
    // Four files of one size, two pictures, interleaved: each picture keeps its first.
    const std::vector<TResultFile> rows = {
        Marked(Write("x1.jpg", "xxxx")), Marked(Write("y1.jpg", "yyyy")),
        Marked(Write("x2.jpg", "xxxx")), Marked(Write("y2.jpg", "yyyy")),
        Marked(Write("z.jpg", "zzzz")),
    };
    EXPECT_EQ(ChooseRemovals(rows), (std::vector{Keep, Keep, Remove, Remove, Keep}));
}

TEST_F(KeepCopiesTest, filesThatLostTheirTwinSinceTheSearchAreKept)
{
    const QByteArray vanished = Write("gone.jpg", "twin");
    const QByteArray folder = Path("now-a-folder.jpg");
    const std::vector<TResultFile> rows = {
        Unmarked(Write("original.jpg", "unchanged")),
        Marked(Write("changed.jpg", "unchangeD")),
        Marked(Write("alone.jpg", "twin")),
        Marked(vanished),
        Marked(folder),
    };
    ASSERT_EQ(::unlink(vanished.constData()), 0);
    ASSERT_TRUE(QDir().mkdir(QFile::decodeName(folder)));
    // The vanished path holds nothing to keep; removing it only fails as a missing file does.
    EXPECT_EQ(ChooseRemovals(rows), (std::vector{Untouched, Keep, Keep, Remove, Keep}));
}

TEST_F(KeepCopiesTest, linksAndSecondNamesAreNoCopiesOfTheirFile)
{
    const QByteArray only = Write("only.jpg", "one file, three names");
    const QByteArray hardLink = Path("hard-link.jpg");
    ASSERT_EQ(::link(only.constData(), hardLink.constData()), 0);
    const QByteArray first = Write("first.jpg", "two files");
    const std::vector<TResultFile> rows = {
        Marked(only),
        Marked(hardLink),
        Unmarked(Link("link-to-only.jpg", only)),
        // The unmarked name here is a link: the copy that stays must be a file of its own.
        Unmarked(Link("link-to-first.jpg", first)),
        Marked(first),
        Marked(Write("second.jpg", "two files")),
        Marked(Link("marked-link.jpg", first)),
    };
    EXPECT_EQ(ChooseRemovals(rows),
              (std::vector{Keep, Keep, Untouched, Untouched, Keep, Remove, Remove}));
}

TEST_F(KeepCopiesTest, aFileSeenThroughALinkedFolderIsOneName)
{
    const QByteArray real = Write("real/w.jpg", "same bytes");
    ASSERT_EQ(
        ::symlink(QFile::encodeName(m_dir.filePath("real")).constData(), Path("alias").constData()),
        0);
    const QByteArray alias = Path("alias/w.jpg");
    const QByteArray other = Write("other/w.jpg", "same bytes");
    // Removing the alias would remove the copy that stays.
    EXPECT_EQ(ChooseRemovals({Marked(real), Marked(alias), Marked(other)}),
              (std::vector{Keep, Keep, Remove}));
    // With the other file staying, the second row names the entry the first one removes.
    EXPECT_EQ(ChooseRemovals({Marked(real), Marked(alias), Unmarked(other)}),
              (std::vector{Remove, Untouched, Untouched}));
}
