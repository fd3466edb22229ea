#include "platform/FileRemoval.h"

#include "platform/Exception.h"
#include "platform/Random.h"
#include "support/FileSafety.h"
#include "support/TestSupport.h"
#include "support/TrashSandbox.h"

#include <QFile>
#include <QScopeGuard>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using enum TRemovalOutcome;

class FileRemovalTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_sandbox.IsValid()); }

    QByteArray Path(const QByteArray& name) const
    {
        return QFile::encodeName(m_sandbox.Dir().path()) + '/' + name;
    }
    QByteArray Write(const QByteArray& name, const QByteArray& bytes)
    {
        return WriteBytes(Path(name), bytes);
    }
    std::map<QByteArray, QByteArray> Files() const { return FilesBelow(Path("")); }
    static bool Exists(const QByteArray& path)
    {
        struct stat info = {};
        return ::lstat(path.constData(), &info) == 0;
    }
    // The overwrite as the deletion run calls it, right after its check.
    static TRemovalResult Overwrite(const QByteArray& path)
    {
        return OverwriteAndDelete(path, LookUpEntry(path));
    }

    TrashSandbox m_sandbox;
};

} // namespace

TEST_F(FileRemovalTest, overwriteRemovesTheNameThenWritesThreePassesOverTheData)
{
    const QByteArray path = Write("secret.jpg", QByteArray(10000, 'S'));
    const QByteArray other = Write("other.jpg", "stays");
    const auto before = Files();
    // The data stays readable through a descriptor opened before: it shows the last pass.
    const int reader = ::open(path.constData(), O_RDONLY);
    ASSERT_GE(reader, 0);
    Rng::SetSeed(0);
    EXPECT_EQ(Overwrite(path), TRemovalResult::Done());
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
    auto expected = before;
    expected.erase(path);
    EXPECT_EQ(Files(), expected);
}

TEST_F(FileRemovalTest, overwriteRaisesTheOpenErrorButLeavesWhatIsGoneOrNoFileAlone)
{
    const QByteArray missing = Path("missing.jpg");
    EXPECT_EQ(Overwrite(missing), TRemovalResult{Gone});
    const QByteArray pipe = Path("pipe.jpg");
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    EXPECT_EQ(Overwrite(pipe), TRemovalResult{Changed});
    EXPECT_TRUE(Exists(pipe));

    // Even root cannot open an immutable file for writing.
    const QByteArray locked = Write("locked.jpg", "picture");
    const auto before = Files();
    if (const int error = SetInodeFlag(locked, FS_IMMUTABLE_FL, true))
        GTEST_SKIP() << "immutable files are not available here: " << strerror(error);
    const auto unlock = qScopeGuard([&] { SetInodeFlag(locked, FS_IMMUTABLE_FL, false); });
    try {
        Overwrite(locked);
        ADD_FAILURE() << "a file that cannot be opened must raise the open error";
    } catch (const EFOpenError& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("Cannot open file \"%1\". Operation not permitted")
                      .arg(QFile::decodeName(locked)));
    }
    EXPECT_EQ(Files(), before);
}

TEST_F(FileRemovalTest, overwriteNeverWritesToAFileWhoseNameCannotBeRemoved)
{
    // As root, a sticky folder holding another user's file; as anyone else, a folder without
    // write permission: either way the name cannot be removed.
    ASSERT_EQ(::chmod(Path("").constData(), 0755), 0);
    ASSERT_EQ(::mkdir(Path("shared").constData(), 0777), 0);
    const QByteArray path = Write("shared/theirs.jpg", "their picture");
    ASSERT_EQ(::chmod(path.constData(), 0666), 0);
    ASSERT_EQ(::chmod(Path("shared").constData(), RunsAsRoot() ? 01777 : 0555), 0);
    const auto restore = qScopeGuard([&] { ::chmod(Path("shared").constData(), 0755); });
    const auto before = Files();
    const int error = AsUnprivileged([&] {
        const TRemovalResult result = Overwrite(path);
        return result.Outcome == Failed ? result.Error : 0;
    });
    EXPECT_EQ(error, RunsAsRoot() ? EPERM : EACCES);
    EXPECT_EQ(Files(), before) << "the picture keeps its bytes";
}

TEST_F(FileRemovalTest, overwriteNeverWritesToAFileInAnAppendOnlyFolder)
{
    const QByteArray path = Write("kept/a.jpg", "picture");
    const auto before = Files();
    if (const int error = SetInodeFlag(Path("kept"), FS_APPEND_FL, true))
        GTEST_SKIP() << "append-only folders are not available here: " << strerror(error);
    const auto restore = qScopeGuard([&] { SetInodeFlag(Path("kept"), FS_APPEND_FL, false); });
    EXPECT_EQ(Overwrite(path), TRemovalResult::Failure(EPERM));
    EXPECT_EQ(Files(), before);
}

TEST_F(FileRemovalTest, overwriteRemovesALinkAsALinkAndOnlyUnlinksASecondName)
{
    const QByteArray target = Write("target.jpg", "the data");
    const QByteArray link = Path("link.jpg");
    ASSERT_EQ(::symlink(target.constData(), link.constData()), 0);
    const QByteArray secondName = Path("second.jpg");
    ASSERT_EQ(::link(target.constData(), secondName.constData()), 0);
    auto expected = Files();
    EXPECT_EQ(Overwrite(link), TRemovalResult::Done());
    EXPECT_EQ(Overwrite(secondName), TRemovalResult::Done());
    expected.erase(link);
    expected.erase(secondName);
    EXPECT_EQ(Files(), expected);
}
