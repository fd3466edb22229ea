#include "platform/MoveAside.h"

#include "support/FileSafety.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using enum TRemovalOutcome;

// Moves as between two file systems: every rename is refused with EXDEV.
class AcrossFileSystems : public TMoveAside
{
public:
    using TMoveAside::TMoveAside;

protected:
    int Rename(const QByteArray&, const QByteArray&) override { return EXDEV; }
};

class MoveAsideTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QByteArray Path(const QByteArray& name) const
    {
        return QFile::encodeName(m_dir.path()) + '/' + name;
    }
    std::map<QByteArray, QByteArray> Files() const { return FilesBelow(Path("")); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(MoveAsideTest, copiesKeepTheirPlaceAndTakenNamesAreNumberedNeverReplaced)
{
    const QByteArray a = WriteBytes(Path("pictures/sub/a.jpg"), "copy a");
    const QByteArray b = WriteBytes(Path("pictures/b.jpg"), "copy b");
    const QByteArray c = WriteBytes(Path("pictures/c"), "copy c");
    WriteBytes(Path("aside/b.jpg"), "was there");
    WriteBytes(Path("aside/b (2).jpg"), "was there too");
    WriteBytes(Path("aside/c"), "was there");
    auto expected = Files();
    TMoveAside aside(Path("aside"));
    EXPECT_EQ(aside.Move(a, "sub/a.jpg", LookUpEntry(a)), TRemovalResult::Done());
    EXPECT_EQ(aside.Move(b, "b.jpg", LookUpEntry(b)), TRemovalResult::Done());
    EXPECT_EQ(aside.Move(c, "c", LookUpEntry(c)), TRemovalResult::Done());
    for (const QByteArray& moved : {a, b, c})
        expected.erase(moved);
    expected[Path("aside/sub/a.jpg")] = "copy a";
    expected[Path("aside/b (3).jpg")] = "copy b";
    expected[Path("aside/c (2)")] = "copy c";
    EXPECT_EQ(Files(), expected);
}

TEST_F(MoveAsideTest, acrossFileSystemsTheCopyIsCheckedBeforeTheOriginalGoes)
{
    const QByteArray a = WriteBytes(Path("pictures/a.jpg"), QByteArray(200000, 'a'));
    ASSERT_EQ(::chmod(a.constData(), 0640), 0);
    struct timespec times[2] = {{1000, 0}, {2000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, a.constData(), times, 0), 0);
    const QByteArray link = Path("pictures/link.jpg");
    ASSERT_EQ(::symlink("a.jpg", link.constData()), 0);
    WriteBytes(Path("aside/a.jpg"), "was there");
    auto expected = Files();
    AcrossFileSystems aside(Path("aside"));
    EXPECT_EQ(aside.Move(a, "a.jpg", LookUpEntry(a)), TRemovalResult::Done());
    EXPECT_EQ(aside.Move(link, "link.jpg", LookUpEntry(link)), TRemovalResult::Done());
    expected.erase(a);
    expected.erase(link);
    expected[Path("aside/a (2).jpg")] = QByteArray(200000, 'a');
    expected[Path("aside/link.jpg")] = "-> a.jpg";
    EXPECT_EQ(Files(), expected);
    struct stat copy = {};
    ASSERT_EQ(::stat(Path("aside/a (2).jpg").constData(), &copy), 0);
    EXPECT_EQ(copy.st_mode & 07777, 0640u);
    EXPECT_EQ(copy.st_mtim.tv_sec, 2000);
}

TEST_F(MoveAsideTest, onARealSecondFileSystemTheFileArrivesWhole)
{
    if (!SharedMemoryIsAnotherFileSystem(Path("")))
        GTEST_SKIP() << "no second file system at /dev/shm to move to";
    QTemporaryDir target(QStringLiteral("/dev/shm/move-aside-test-XXXXXX"));
    ASSERT_TRUE(target.isValid());
    const QByteArray a = WriteBytes(Path("pictures/a.jpg"), "across");
    auto expected = Files();
    TMoveAside aside(QFile::encodeName(target.path()));
    EXPECT_EQ(aside.Move(a, "deep/a.jpg", LookUpEntry(a)), TRemovalResult::Done());
    expected.erase(a);
    EXPECT_EQ(Files(), expected);
    EXPECT_EQ(FilesBelow(QFile::encodeName(target.path())),
              (std::map<QByteArray, QByteArray>{
                  {QFile::encodeName(target.path()) + "/deep/a.jpg", "across"}}));
}

TEST_F(MoveAsideTest, aFailedStepLeavesTheOriginalAndNoCopy)
{
    const QByteArray a = WriteBytes(Path("pictures/a.jpg"), "stays");
    WriteBytes(Path("blocker"), "a file where the target folder would be");
    const auto before = Files();
    AcrossFileSystems blocked(Path("blocker"));
    EXPECT_EQ(blocked.Move(a, "a.jpg", LookUpEntry(a)), TRemovalResult::Failure(ENOTDIR));
    EXPECT_EQ(Files(), before);
    // The original cannot be deleted (its folder refuses): the checked copy is taken back.
    ASSERT_EQ(::chmod(Path("").constData(), 0755), 0);
    ASSERT_EQ(::mkdir(Path("aside").constData(), 0777), 0);
    ASSERT_EQ(::chmod(Path("pictures").constData(), 0555), 0);
    const int error = AsUnprivileged([&] {
        const TRemovalResult result =
            AcrossFileSystems(Path("aside")).Move(a, "a.jpg", LookUpEntry(a));
        return result.Outcome == Failed ? result.Error : 0;
    });
    ::chmod(Path("pictures").constData(), 0755);
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(NamesIn(Path("aside")).empty());
}
