#include "platform/FileSystem.h"

#include "SampleImages.h"
#include "support/OrdinaryFileAccess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

time_t LocalMoment(int year, int month, int day, int hour, int minute, int second)
{
    struct tm local = {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return mktime(&local);
}

bool IsOpenDescriptor(int fd)
{
    return ::fcntl(fd, F_GETFD) != -1 || errno != EBADF;
}

class FileSystemTest : public ::testing::Test
{
protected:
    QByteArray Path(const char* name) const { return QFile::encodeName(m_dir.filePath(name)); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FileSystemTest, fileSizeOfRegularFilesOnly)
{
    EXPECT_EQ(FileSizeOf(WriteFile(m_dir, "five.bin", "12345")), 5.0);
    EXPECT_EQ(FileSizeOf(WriteFile(m_dir, "empty.bin", {})), 0.0);
    EXPECT_EQ(FileSizeOf(Path("missing.bin")), -1.0);
    EXPECT_EQ(FileSizeOf(QFile::encodeName(m_dir.path())), -1.0);
    // A pipe with no writer must neither hang the search nor count as a file.
    ASSERT_EQ(::mkfifo(Path("pipe.jpg").constData(), 0600), 0);
    EXPECT_EQ(FileSizeOf(Path("pipe.jpg")), -1.0);
}

TEST_F(FileSystemTest, fileSizeOfReachesNamesThatAreNotUtf8)
{
    const QByteArray path = QFile::encodeName(m_dir.path()) + "/caf\xE9.jpg";
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "abc", 3), 3);
    ::close(fd);
    EXPECT_EQ(FileSizeOf(path), 3.0);
}

TEST_F(FileSystemTest, unreadableFileHasNoSize)
{
    const QByteArray path = WriteFile(m_dir, "locked.bin", "data");
    const QByteArray open = WriteFile(m_dir, "open.bin", "data");
    ASSERT_EQ(::chmod(path.constData(), 0), 0);
    ASSERT_EQ(::chmod(open.constData(), 0644), 0);
    LetOthersIn(m_dir);
    const OrdinaryFileAccess ordinary;
    // The folder lets the user in: what refuses the locked file is its own permission.
    EXPECT_EQ(FileSizeOf(open), 4.0);
    EXPECT_EQ(FileSizeOf(path), -1.0);
}

TEST_F(FileSystemTest, fileReadsFullBlocksUntilTheEnd)
{
    QByteArray content(70000, '\0');
    for (qsizetype i = 0; i < content.size(); ++i)
        content[i] = char(i * 7);
    TFile file(WriteFile(m_dir, "data.bin", content));
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Size(), 70000);
    QByteArray block(65536, '\0');
    ASSERT_EQ(file.Read(block.data(), 65536), 65536);
    EXPECT_EQ(block, content.left(65536));
    ASSERT_EQ(file.Read(block.data(), 65536), 70000 - 65536);
    EXPECT_EQ(block.left(70000 - 65536), content.mid(65536));
    EXPECT_EQ(file.Read(block.data(), 65536), 0);
    ASSERT_TRUE(file.Rewind());
    EXPECT_EQ(file.Read(block.data(), 4), 4);
    EXPECT_EQ(block.left(4), content.left(4));
}

TEST_F(FileSystemTest, fileOwnsItsDescriptor)
{
    const QByteArray path = WriteFile(m_dir, "a.bin", "a");
    int fd = -1;
    {
        TFile first(path);
        fd = first.Handle();
        ASSERT_TRUE(IsOpenDescriptor(fd));
        TFile second(std::move(first));
        EXPECT_FALSE(first.IsOpen());
        EXPECT_EQ(first.Read(&fd, 1), -1);
        EXPECT_EQ(second.Handle(), fd);
        TFile third;
        third = std::move(second);
        EXPECT_TRUE(third.IsOpen());
        EXPECT_TRUE(IsOpenDescriptor(fd));
    }
    EXPECT_FALSE(IsOpenDescriptor(fd));
}

TEST_F(FileSystemTest, identityTellsOneFileFromItsCopy)
{
    const QByteArray original = WriteFile(m_dir, "original.bin", "same");
    const QByteArray copy = WriteFile(m_dir, "copy.bin", "same");
    ASSERT_EQ(::link(original.constData(), Path("hardlink.bin").constData()), 0);
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("real"));
    ASSERT_EQ(::symlink("real", Path("linked").constData()), 0);
    const QByteArray inReal = WriteFile(m_dir, "real/x.bin", "x");
    EXPECT_EQ(TFile(original).Identity(), TFile(Path("hardlink.bin")).Identity());
    EXPECT_EQ(TFile(inReal).Identity(), TFile(Path("linked/x.bin")).Identity());
    EXPECT_NE(TFile(original).Identity(), TFile(copy).Identity());
}

TEST(FileTimeTest, packedStampsCover1980To2107InLocalTime)
{
    EXPECT_EQ(PackFileTime(LocalMoment(1980, 1, 1, 0, 0, 0)), 0x00210000);
    EXPECT_EQ(PackFileTime(LocalMoment(1979, 12, 31, 23, 59, 59)), -1);
    EXPECT_EQ(static_cast<uint32_t>(PackFileTime(LocalMoment(2107, 12, 31, 23, 59, 59))),
              0xFF9FBF7Du);
    EXPECT_EQ(PackFileTime(LocalMoment(2108, 1, 1, 0, 0, 0)), -1);
    // Two-second steps: an odd second falls to the even one below.
    const int32_t stamp = PackFileTime(LocalMoment(2024, 2, 29, 13, 45, 59));
    EXPECT_EQ(stamp, PackFileTime(LocalMoment(2024, 2, 29, 13, 45, 58)));
    EXPECT_EQ(FileStampToDateTime(stamp), EncodeDateTime(2024, 2, 29, 13, 45, 58));
    // From 2044 the stamp is negative as a 32-bit number, and still a date.
    EXPECT_EQ(FileStampToDateTime(PackFileTime(LocalMoment(2050, 7, 1, 12, 0, 0))),
              EncodeDateTime(2050, 7, 1, 12));
    EXPECT_EQ(FileStampToDateTime(-1), 0.0);
}

TEST_F(FileSystemTest, creationStampIsTheBirthTimeNotTheLastWrite)
{
    const QByteArray path = WriteFile(m_dir, "new.bin", "x");
    const QDateTime now = QDateTime::currentDateTime();
    const TDateTime nowValue =
        EncodeDateTime(now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                       now.time().minute(), now.time().second());
    const TDateTime created = FileCreationDateTime(path);
    EXPECT_NEAR(created, nowValue, 5.0 / 86400);

    // Setting the modification time to 1999 moves the stamp only where no birth time is kept.
    const struct timespec times[2] = {{0, UTIME_OMIT}, {LocalMoment(1999, 6, 15, 10, 30, 0), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    struct statx info = {};
    ASSERT_EQ(::statx(AT_FDCWD, path.constData(), 0, STATX_BTIME, &info), 0);
    if (!(info.stx_mask & STATX_BTIME))
        EXPECT_EQ(FileCreationDateTime(path), EncodeDateTime(1999, 6, 15, 10, 30));
    else
        EXPECT_EQ(FileCreationDateTime(path), created);
}

TEST_F(FileSystemTest, missingFilesAndFoldersHaveNoCreationStamp)
{
    EXPECT_EQ(FileCreationStamp(Path("missing.bin")), -1);
    EXPECT_EQ(FileCreationDateTime(Path("missing.bin")), 0.0);
    EXPECT_EQ(FileCreationStamp(QFile::encodeName(m_dir.path())), -1);
}

TEST(TrashFoldersTest, homeTrashAndVolumeTrashes)
{
    const TTrashFolders trash("/home/ann/.local/share/Trash");
    EXPECT_TRUE(trash.Contains("/home/ann/.local/share/Trash/files/a.jpg"));
    EXPECT_TRUE(trash.Contains("/media/usb/.Trash-1000/files/a.jpg"));
    EXPECT_TRUE(trash.Contains("/media/usb/.Trash/1000/files/sub/a.jpg"));
    EXPECT_FALSE(trash.Contains("/home/ann/.local/share/Trash"));
    EXPECT_FALSE(trash.Contains("/home/ann/.local/share/Trashcan/a.jpg"));
    EXPECT_FALSE(trash.Contains("/home/ann/Trash/files/a.jpg"));
    EXPECT_FALSE(trash.Contains("/media/usb/.Trash-abc/a.jpg"));
    EXPECT_FALSE(trash.Contains("/media/usb/.Trash-/a.jpg"));
    EXPECT_FALSE(trash.Contains("/media/usb/.Trash/notes/a.jpg"));
    EXPECT_FALSE(trash.Contains("/media/usb/.Trash-1000"));
    EXPECT_FALSE(trash.Contains("/media/usb/photos/.Trash-1000.jpg"));
}

TEST(TrashFoldersTest, homeTrashFollowsXdgDataHome)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/data/ann/");
    EXPECT_EQ(TTrashFolders().HomeTrash(), QByteArray("/data/ann/Trash"));
    qputenv("XDG_DATA_HOME", "/");
    EXPECT_EQ(TTrashFolders().HomeTrash(), QByteArray("/Trash"));
    qputenv("XDG_DATA_HOME", "relative/ignored");
    EXPECT_EQ(TTrashFolders().HomeTrash(),
              QFile::encodeName(QDir::homePath()) + "/.local/share/Trash");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(TTrashFolders().HomeTrash(),
              QFile::encodeName(QDir::homePath()) + "/.local/share/Trash");
    if (!saved.isNull())
        qputenv("XDG_DATA_HOME", saved);
}

// The host's listing gives every entry with what it reaches, links followed, and says why a
// folder cannot be opened.
TEST_F(FileSystemTest, hostListsFoldersAndLooksEntriesUp)
{
    TFileSystem& host = HostFileSystem();
    const QByteArray root = QFile::encodeName(m_dir.path());
    WriteFile(m_dir, "file.jpg", "abc");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("sub"));
    ASSERT_EQ(::symlink("sub", Path("to-sub").constData()), 0);
    ASSERT_EQ(::symlink("nowhere", Path("broken").constData()), 0);

    int error = -1;
    const std::unique_ptr<TFolderListing> listing = host.OpenFolder(root, error);
    ASSERT_TRUE(listing);
    EXPECT_EQ(error, 0);
    struct stat status = {};
    ASSERT_EQ(::stat(root.constData(), &status), 0);
    EXPECT_EQ(listing->Identity(), TFileIdentity::Of(status));
    std::map<QByteArray, TEntryKind> kinds;
    for (TFolderEntry entry; listing->Next(entry);)
        kinds[entry.Name] = entry.Kind;
    EXPECT_EQ(listing->Error(), 0);
    EXPECT_EQ(kinds, (std::map<QByteArray, TEntryKind>{{".", TEntryKind::Folder},
                                                       {"..", TEntryKind::Folder},
                                                       {"file.jpg", TEntryKind::File},
                                                       {"sub", TEntryKind::Folder},
                                                       {"to-sub", TEntryKind::Folder},
                                                       {"broken", TEntryKind::Missing}}));
    for (const auto& [name, kind] : kinds)
        EXPECT_EQ(host.LookUp(root + '/' + name).Kind, kind) << name.constData();
    EXPECT_EQ(host.LookUp(root + "/to-sub").Identity, host.LookUp(root + "/sub").Identity);
    EXPECT_EQ(host.RealPath(root + "/to-sub/../to-sub/"), host.RealPath(root) + "/sub");
    EXPECT_TRUE(host.RealPath(root + "/broken").isEmpty());

    EXPECT_FALSE(host.OpenFolder(Path("missing"), error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_FALSE(host.OpenFolder(Path("file.jpg"), error));
    EXPECT_EQ(error, ENOTDIR);

    TFile file = host.OpenFile(Path("file.jpg"));
    EXPECT_EQ(host.MeasureFile(file), 3);
    WriteFile(m_dir, "file.jpg", "abcdef");
    EXPECT_EQ(host.MeasureFile(file), 6);
    file.Close();
    EXPECT_EQ(host.MeasureFile(file), -1);
}
