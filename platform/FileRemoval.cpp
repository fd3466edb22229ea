#include "platform/FileRemoval.h"

#include "platform/Exception.h"
#include "platform/FileNames.h"
#include "platform/Overwrite.h"
#include "platform/RemovalSteps.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The overwrite's target on an open file. Write and flush failures do not stop the passes: the
// name is gone already.
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

TRemovalResult Unlink(const QByteArray& path)
{
    return ::unlink(path.constData()) == 0 ? TRemovalResult::Done()
                                           : TRemovalResult::Failure(errno);
}

} // namespace

TRemovalResult OverwriteAndDelete(const QByteArray& path, const TFileEntry& checked)
{
    struct stat entry = {};
    if (const std::optional<TRemovalResult> differs = DiffersFromCheck(path, checked, entry))
        return *differs;
    if (S_ISLNK(entry.st_mode))
        return Unlink(path);
    // O_NOFOLLOW: should the entry turn into a link meanwhile, the open fails instead of
    // writing through it.
    TDescriptor file(
        ::open(path.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.IsOpen()) {
        if (errno == ENOENT)
            return {TRemovalOutcome::Gone};
        if (errno == ELOOP)
            return {TRemovalOutcome::Changed};
        RaiseOpenError(path, errno);
    }
    struct stat opened = {};
    if (::fstat(file.Handle(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        opened.st_dev != entry.st_dev || opened.st_ino != entry.st_ino)
        return {TRemovalOutcome::Changed};
    const TRemovalResult removed = Unlink(path);
    if (!removed.Removed())
        return removed;
    // Any name the data still has (another hard link, even one made a moment ago) keeps it alive,
    // so it is left as it is.
    if (::fstat(file.Handle(), &opened) == 0 && opened.st_nlink == 0) {
        TFileTarget target(file.Handle());
        OverwriteThreeTimes(target);
    }
    return removed;
}
