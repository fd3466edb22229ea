#include "platform/Trash.h"

#include "support/FileSafety.h"
#include "support/TestSupport.h"
#include "support/TrashSandbox.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using enum TRemovalOutcome;

// A trash whose records cannot be created, as on a full disk, counting the attempts.
class FailingRecordTrash : public TTrash
{
public:
    explicit FailingRecordTrash(int error) : m_error(error) {}
    int attempts = 0;

protected:
    int CreateRecord(const QByteArray&) override
    {
        ++attempts;
        errno = m_error;
        return -1;
    }

private:
    int m_error;
};

// A trash that takes the given folder for the top of every other file system, so that a volume
// trash is made there and nowhere else.
class VolumeTrash : public TTrash
{
public:
    explicit VolumeTrash(QByteArray top) : m_top(std::move(top)) {}

protected:
    QByteArray TopFolderOf(const QByteArray&) override { return m_top; }

private:
    QByteArray m_top;
};

class TrashTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sandbox.IsValid());
        ASSERT_EQ(::mkdir(Path("pictures").constData(), 0755), 0);
    }

    QByteArray Path(const QByteArray& name) const
    {
        return QFile::encodeName(m_sandbox.Dir().path()) + '/' + name;
    }
    QByteArray Write(const QByteArray& name, const QByteArray& bytes)
    {
        return WriteBytes(Path("pictures/") + name, bytes);
    }
    std::map<QByteArray, QByteArray> Files() const { return FilesBelow(Path("")); }
    static std::map<QByteArray, QByteArray> Without(std::map<QByteArray, QByteArray> files,
                                                    const QByteArray& path)
    {
        files.erase(path);
        return files;
    }
    QByteArray TrashFolder(const char* part) const { return Path("data/Trash/") + part; }
    // The record of a trashed file, and the path it names.
    QByteArray Record(const QByteArray& trashName) const
    {
        return ReadBytes(TrashFolder("info/") + trashName + ".trashinfo");
    }
    static QByteArray RecordedPath(const QByteArray& record)
    {
        for (const QByteArray& line : record.split('\n'))
            if (line.startsWith("Path="))
                return QByteArray::fromPercentEncoding(line.mid(5));
        return {};
    }

    TrashSandbox m_sandbox;
};

} // namespace

TEST_F(TrashTest, takesTheFileWithARecordOfItsPlaceAndDate)
{
    const QByteArray path = Write("a b%.jpg", "picture bytes");
    const auto before = Files();
    TTrash trash;
    EXPECT_EQ(trash.MoveIn(path, LookUpEntry(path)), TRemovalResult::Done());
    EXPECT_EQ(Files(), Without(before, path));
    EXPECT_EQ(FilesBelow(TrashFolder("files")),
              (std::map<QByteArray, QByteArray>{{TrashFolder("files/a b%.jpg"), "picture bytes"}}));
    const QByteArray record = Record("a b%.jpg");
    EXPECT_TRUE(record.startsWith("[Trash Info]\nPath=")) << record.toStdString();
    EXPECT_TRUE(record.contains("a%20b%25.jpg")) << "the place is escaped as a URL path";
    EXPECT_EQ(RecordedPath(record), path);
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral("\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n"))
                    .match(QString::fromLatin1(record))
                    .hasMatch())
        << record.toStdString();
}

TEST_F(TrashTest, aNameTakenInTheTrashGetsTheNextNumberAndNothingIsReplaced)
{
    ASSERT_EQ(::mkdir(Path("pictures/other").constData(), 0755), 0);
    const QByteArray first = Write("a.jpg", "first");
    const QByteArray second = Write("other/a.jpg", "second");
    const QByteArray third = Write("a", "third, no extension");
    TTrash trash;
    for (const QByteArray& path : {first, second, third})
        EXPECT_EQ(trash.MoveIn(path, LookUpEntry(path)), TRemovalResult::Done()) << path.data();
    const QByteArray folder = TrashFolder("files/");
    EXPECT_EQ(FilesBelow(TrashFolder("files")),
              (std::map<QByteArray, QByteArray>{{folder + "a", "third, no extension"},
                                                {folder + "a (2).jpg", "second"},
                                                {folder + "a.jpg", "first"}}));
    EXPECT_EQ(RecordedPath(Record("a (2).jpg")), second);
}

TEST_F(TrashTest, namesThatAreNotUtf8AreKeptByteForByte)
{
    const QByteArray path = Write("caf\xE9\xFF.jpg", "latin1 name");
    const auto before = Files();
    EXPECT_EQ(TTrash().MoveIn(path, LookUpEntry(path)), TRemovalResult::Done());
    EXPECT_EQ(Files(), Without(before, path));
    EXPECT_EQ(NamesIn(TrashFolder("files")), std::vector<QByteArray>{"caf\xE9\xFF.jpg"});
    EXPECT_EQ(RecordedPath(Record("caf\xE9\xFF.jpg")), path);
    ::unlink((TrashFolder("files/") + "caf\xE9\xFF.jpg").constData());
    ::unlink((TrashFolder("info/") + "caf\xE9\xFF.jpg.trashinfo").constData());
}

TEST_F(TrashTest, aNameTooLongForItsRecordIsShortenedInTheTrashButRecordedWhole)
{
    const QByteArray name = QByteArray(246, 'n') + ".jpg";
    const QByteArray path = Write(name, "long name");
    const auto before = Files();
    EXPECT_EQ(TTrash().MoveIn(path, LookUpEntry(path)), TRemovalResult::Done());
    EXPECT_EQ(Files(), Without(before, path));
    const std::vector<QByteArray> trashed = NamesIn(TrashFolder("files"));
    ASSERT_EQ(trashed.size(), 1u);
    EXPECT_TRUE(trashed[0].endsWith(".jpg"));
    EXPECT_LE(trashed[0].size() + 10, 255) << "room for the record's name";
    EXPECT_EQ(RecordedPath(Record(trashed[0])), path);
}

TEST_F(TrashTest, aRecordThatCannotBeCreatedEndsTheAttemptAndLeavesTheFile)
{
    const QByteArray path = Write("a.jpg", "picture");
    const auto before = Files();
    FailingRecordTrash full(ENOSPC);
    EXPECT_EQ(full.MoveIn(path, LookUpEntry(path)), TRemovalResult::Failure(ENOSPC));
    EXPECT_EQ(full.attempts, 1);
    // A name that stays taken, whatever number is tried, is given up after a few rounds.
    FailingRecordTrash crowded(EEXIST);
    EXPECT_EQ(crowded.MoveIn(path, LookUpEntry(path)), TRemovalResult::Failure(EEXIST));
    EXPECT_LE(crowded.attempts, 16);
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(NamesIn(TrashFolder("files")).empty());
    EXPECT_TRUE(NamesIn(TrashFolder("info")).empty());
}

TEST_F(TrashTest, aRecordFolderThatRefusesTheUserEndsTheAttemptAndLeavesTheFile)
{
    const QByteArray path = Write("a.jpg", "picture");
    for (const char* folder : {"data", "data/Trash", "data/Trash/files", "data/Trash/info"})
        ASSERT_EQ(::mkdir(Path(folder).constData(), 0700), 0) << folder;
    ASSERT_EQ(::chmod(Path("").constData(), 0755), 0);
    for (const char* owned : {"pictures", "pictures/a.jpg", "data", "data/Trash",
                              "data/Trash/files", "data/Trash/info"})
        GiveToUnprivileged(Path(owned));
    ASSERT_EQ(::chmod(TrashFolder("info").constData(), 0500), 0);
    const auto before = Files();
    const int error = AsUnprivileged([&] {
        const TRemovalResult result = TTrash().MoveIn(path, LookUpEntry(path));
        return result.Outcome == Failed ? result.Error : 0;
    });
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(NamesIn(TrashFolder("files")).empty());
    ::chmod(TrashFolder("info").constData(), 0700);
}

TEST_F(TrashTest, aMissingDataFolderIsMadeAndOneThatCannotBeMadeLeavesTheFile)
{
    const QByteArray path = Write("b.jpg", "stays");
    WriteBytes(Path("blocker"), "a file where the data folder would be");
    const auto before = Files();
    qputenv("XDG_DATA_HOME", Path("blocker/data"));
    EXPECT_EQ(TTrash().MoveIn(path, LookUpEntry(path)), TRemovalResult::Failure(ENOTDIR));
    EXPECT_EQ(Files(), before);

    qputenv("XDG_DATA_HOME", Path("fresh/data"));
    EXPECT_EQ(TTrash().MoveIn(path, LookUpEntry(path)), TRemovalResult::Done());
    EXPECT_EQ(NamesIn(Path("fresh/data/Trash/files")), std::vector<QByteArray>{"b.jpg"});
}

TEST_F(TrashTest, takesALinkAndLeavesItsTarget)
{
    const QByteArray target = Write("target.jpg", "the data");
    const QByteArray link = Path("pictures/link.jpg");
    ASSERT_EQ(::symlink(target.constData(), link.constData()), 0);
    const auto before = Files();
    EXPECT_EQ(TTrash().MoveIn(link, LookUpEntry(link)), TRemovalResult::Done());
    EXPECT_EQ(Files(), Without(before, link));
    struct stat info = {};
    ASSERT_EQ(::lstat(TrashFolder("files/link.jpg").constData(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST_F(TrashTest, aFileGoneOrChangedSinceTheCheckIsLeftAlone)
{
    const QByteArray path = Write("a.jpg", "picture");
    const TFileEntry checked = LookUpEntry(path);
    TTrash trash;
    EXPECT_EQ(trash.MoveIn(Path("pictures/missing.jpg"), LookUpEntry(Path("pictures/missing.jpg"))),
              TRemovalResult{Gone});
    // Replaced by another file of the same name and size.
    ASSERT_EQ(::rename(Write("new.jpg", "PICTURE").constData(), path.constData()), 0);
    const auto before = Files();
    EXPECT_EQ(trash.MoveIn(path, checked), TRemovalResult{Changed});
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(NamesIn(TrashFolder("files")).empty());
}

TEST_F(TrashTest, aFileOnAnotherFileSystemGoesToItsVolumesTrash)
{
    if (!SharedMemoryIsAnotherFileSystem(Path("")))
        GTEST_SKIP() << "no second file system at /dev/shm to trash from";
    QTemporaryDir volume(QStringLiteral("/dev/shm/trash-test-XXXXXX"));
    ASSERT_TRUE(volume.isValid());
    const QByteArray top = QFile::encodeName(volume.path());
    const QByteArray path = WriteBytes(top + "/sub/c.jpg", "on the volume");
    const auto before = FilesBelow(top);
    VolumeTrash trash(top);
    EXPECT_EQ(trash.MoveIn(path, LookUpEntry(path)), TRemovalResult::Done());
    EXPECT_EQ(FilesBelow(top), Without(before, path));
    const QByteArray root = top + "/.Trash-" + QByteArray::number(::getuid());
    EXPECT_EQ(NamesIn(root + "/files"), std::vector<QByteArray>{"c.jpg"});
    EXPECT_EQ(RecordedPath(ReadBytes(root + "/info/c.jpg.trashinfo")), "sub/c.jpg")
        << "relative to the volume's top";
    EXPECT_TRUE(NamesIn(TrashFolder("files")).empty()) << "the home trash is on another disk";
}
