#include "platform/FileRemoval.h"

#include "platform/Exception.h"
#include "platform/FileEntry.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/Overwrite.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The entry itself, not what a link reaches.
std::optional<TFileIdentity> EntryIdentity(const QByteArray& path)
{
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0)
        return std::nullopt;
    return TFileIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

// Qt falls back to files/ and info/ in the current folder when the data folder is missing.
bool EnsureDataFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return !data.isEmpty() && QDir().mkpath(data);
}

// Puts back a file that the move left outside any trash folder, with its trash record.
void MoveBack(const QByteArray& movedTo, const QByteArray& path)
{
    if (::renameat2(AT_FDCWD, movedTo.constData(), AT_FDCWD, path.constData(), RENAME_NOREPLACE) !=
        0)
        return;
    const qsizetype slash = movedTo.lastIndexOf('/');
    const QByteArray folder = movedTo.left(slash);
    if (folder.endsWith("/files"))
        ::unlink((folder.chopped(5) + "info" + movedTo.mid(slash) + ".trashinfo").constData());
}

// An open descriptor, closed when the guard goes.
class TDescriptor
{
public:
    explicit TDescriptor(int fd) noexcept : m_fd(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() noexcept { Close(); }

    int Handle() const noexcept { return m_fd; }
    void Close() noexcept
    {
        if (m_fd >= 0)
            ::close(std::exchange(m_fd, -1));
    }

private:
    int m_fd;
};

// The overwrite's target on an open file. Write and flush failures do not stop the passes:
// the file is removed all the same.
class TFileTarget : public TOverwriteTarget
{
public:
    explicit TFileTarget(int fd) : m_fd(fd) {}

    int64_t Length() override
    {
        struct stat info = {};
        return ::fstat(m_fd, &info) == 0 ? info.st_size : 0;
    }

    void Write(int64_t offset, const char* data, size_t count) override
    {
        while (count > 0) {
            const ssize_t written = ::pwrite(m_fd, data, count, offset);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return;
            data += written;
            count -= static_cast<size_t>(written);
            offset += written;
        }
    }

    void Flush() override { ::fsync(m_fd); }

private:
    int m_fd;
};

[[noreturn]] void RaiseOpenError(const QByteArray& path, int error)
{
    const QByteArray expanded =
        path.startsWith('/') ? path : QFile::encodeName(QDir::currentPath()) + '/' + path;
    throw EFOpenError(FileNameToText(expanded), qt_error_string(error));
}

bool Unlink(const QByteArray& path)
{
    return ::unlink(path.constData()) == 0;
}

// Whether the entry's folder lets it be deleted: a file overwritten but left in place would keep
// its name with nothing of its picture.
bool FolderAllowsDeletion(const QByteArray& path)
{
    return ::faccessat(AT_FDCWD, FolderOf(path).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

bool MoveToTrash(const QByteArray& path)
{
    const std::optional<TFileIdentity> before = EntryIdentity(path);
    // Qt names files by text: a name that does not survive the trip would reach another file.
    const QString name = QFile::decodeName(path);
    if (!before || QFile::encodeName(name) != path || !EnsureDataFolder())
        return false;
    QString movedTo;
    if (!QFile::moveToTrash(name, &movedTo))
        return false;
    const QByteArray movedPath = QFile::encodeName(movedTo);
    const bool moved = !movedTo.isEmpty() && EntryIdentity(movedPath) == before;
    if (moved && !TTrashFolders().Contains(movedPath)) {
        MoveBack(movedPath, path);
        return false;
    }
    return moved && EntryIdentity(path) != before;
}

bool OverwriteAndDelete(const QByteArray& path)
{
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0)
        RaiseOpenError(path, errno);
    if (S_ISLNK(info.st_mode))
        return Unlink(path);
    // O_NOFOLLOW: should the entry turn into a link meanwhile, the open fails instead of
    // writing through it.
    TDescriptor file(
        ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.Handle() < 0)
        RaiseOpenError(path, errno);
    if (::fstat(file.Handle(), &info) != 0 || !S_ISREG(info.st_mode) || !FolderAllowsDeletion(path))
        return false;
    if (info.st_nlink == 1) {
        TFileTarget target(file.Handle());
        OverwriteThreeTimes(target);
    }
    file.Close();
    return Unlink(path);
}
