#include "platform/FileRemoval.h"

#include "SampleImages.h"
#include "platform/Exception.h"
#include "platform/Random.h"
#include "support/OrdinaryFileAccess.h"
#include "support/TrashSandbox.h"

#include <QFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileRemovalTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_sandbox.IsValid()); }

    QByteArray Write(const char* name, const QByteArray& bytes)
    {
        return WriteFile(m_sandbox.Dir(), QString::fromLatin1(name), bytes);
    }
    QByteArray Path(const char* name) const { return m_sandbox.Path(QString::fromLatin1(name)); }

    static bool Exists(const QByteArray& path)
    {
        struct stat info = {};
        return ::lstat(path.constData(), &info) == 0;
    }
    static QByteArray Content(const QByteArray& path)
    {
        QFile file(QFile::decodeName(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    TrashSandbox m_sandbox;
};

} // namespace

TEST_F(FileRemovalTest, trashTakesTheFileAndItsRecord)
{
    const QByteArray path = Write("a.jpg", "picture bytes");
    ASSERT_TRUE(MoveToTrash(path));
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(Content(QFile::encodeName(m_sandbox.TrashFiles().filePath("a.jpg"))),
              "picture bytes");
    EXPECT_TRUE(QFile::exists(m_sandbox.Dir().filePath("data/Trash/info/a.jpg.trashinfo")));
}

TEST_F(FileRemovalTest, trashCreatesAMissingDataFolderInsteadOfFillingTheCurrentOne)
{
    // A data folder that cannot be made: the file stays and nothing appears beside the program.
    Write("blocker", "a file where the data folder would be");
    qputenv("XDG_DATA_HOME", Path("blocker") + "/data");
    const QByteArray path = Write("b.jpg", "stays");
    EXPECT_FALSE(MoveToTrash(path));
    EXPECT_EQ(Content(path), "stays");
    EXPECT_FALSE(QFile::exists(QStringLiteral("files"))) << "Qt's fallback in the current folder";

    qputenv("XDG_DATA_HOME", Path("fresh/data"));
    EXPECT_TRUE(MoveToTrash(path));
    EXPECT_TRUE(QFile::exists(m_sandbox.Dir().filePath("fresh/data/Trash/files/b.jpg")));
}

TEST_F(FileRemovalTest, trashFailsForWhatItCannotTake)
{
    EXPECT_FALSE(MoveToTrash(Path("missing.jpg")));
    // Qt names files by text; this name is not valid UTF-8, so Qt cannot reach it.
    const QByteArray latin1 = Path("caf") + "\xE9.jpg";
    ASSERT_EQ(::rename(Write("latin1", "bytes").constData(), latin1.constData()), 0);
    EXPECT_FALSE(MoveToTrash(latin1));
    EXPECT_TRUE(Exists(latin1));
    ::unlink(latin1.constData()); // QTemporaryDir removes only names that are text
}

TEST_F(FileRemovalTest, trashTakesALinkAndLeavesItsTarget)
{
    const QByteArray target = Write("target.jpg", "the data");
    const QByteArray link = Path("link.jpg");
    ASSERT_EQ(::symlink(target.constData(), link.constData()), 0);
    ASSERT_TRUE(MoveToTrash(link));
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(Content(target), "the data");
    struct stat info = {};
    ASSERT_EQ(
        ::lstat(QFile::encodeName(m_sandbox.TrashFiles().filePath("link.jpg")).constData(), &info),
        0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST_F(FileRemovalTest, overwriteWritesThreePassesOverTheDataBeforeDeleting)
{
    const QByteArray path = Write("secret.jpg", QByteArray(10000, 'S'));
    // The data stays readable through a descriptor opened before: it shows the last pass.
    const int reader = ::open(path.constData(), O_RDONLY);
    ASSERT_GE(reader, 0);
    Rng::SetSeed(0);
    EXPECT_TRUE(OverwriteAndDelete(path));
    EXPECT_FALSE(Exists(path));
    QByteArray lastBlock;
    Rng::SetSeed(0);
    for (int i = 0; i < 3 * 4096; ++i)
        lastBlock = (lastBlock + static_cast<char>(Rng::Random(256))).right(4096);
    QByteArray left(10001, '\0');
    const ssize_t count = ::pread(reader, left.data(), static_cast<size_t>(left.size()), 0);
    ::close(reader);
    ASSERT_EQ(count, 10000);
    left.truncate(count);
    EXPECT_EQ(left, lastBlock + lastBlock + lastBlock.left(1808));
}

TEST_F(FileRemovalTest, overwriteRaisesTheOpenErrorAndLeavesOtherKindsAlone)
{
    const QByteArray missing = Path("missing.jpg");
    try {
        OverwriteAndDelete(missing);
        ADD_FAILURE() << "a missing file must raise the open error";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("Cannot open file \"%1\". No such file or directory")
                      .arg(QFile::decodeName(missing)));
    }
    EXPECT_THROW(OverwriteAndDelete(Path(".")), EFOpenError);

    const QByteArray pipe = Path("pipe.jpg");
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    EXPECT_FALSE(OverwriteAndDelete(pipe));
    EXPECT_TRUE(Exists(pipe));
}

TEST_F(FileRemovalTest, overwriteLeavesAFileThatCouldNotBeDeletedAfterwards)
{
    const QByteArray path = Write("locked.jpg", "picture");
    // The file may be written, but its folder refuses the removal of its entries.
    ASSERT_EQ(::chmod(path.constData(), 0666), 0);
    const QByteArray folder = m_sandbox.Path(QString());
    ASSERT_EQ(::chmod(folder.constData(), 0555), 0);
    bool removed = true;
    {
        const OrdinaryFileAccess ordinary;
        removed = OverwriteAndDelete(path);
    }
    ::chmod(folder.constData(), 0700);
    EXPECT_FALSE(removed);
    EXPECT_EQ(Content(path), "picture");
}
