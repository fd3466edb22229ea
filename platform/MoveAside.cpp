#include "platform/MoveAside.h"

#include "platform/FileNames.h"
#include "platform/RemovalSteps.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kBlockSize = 1 << 16;

// Reads until the buffer is full or the file ends; -1 on an error.
ssize_t ReadFull(int fd, char* buffer, size_t size, off_t offset)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t count = ::pread(fd, buffer + done, size - done, offset + done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return -1;
        if (count == 0)
            break;
        done += static_cast<size_t>(count);
    }
    return static_cast<ssize_t>(done);
}

int CopyBytes(int from, int to)
{
    std::vector<char> block(kBlockSize);
    for (off_t offset = 0;;) {
        const ssize_t count = ReadFull(from, block.data(), block.size(), offset);
        if (count < 0)
            return errno;
        if (count == 0)
            return 0;
        for (ssize_t written = 0; written < count;) {
            const ssize_t step = ::pwrite(to, block.data() + written,
                                          static_cast<size_t>(count - written), offset + written);
            if (step < 0 && errno == EINTR)
                continue;
            if (step <= 0)
                return step < 0 ? errno : EIO;
            written += step;
        }
        offset += count;
    }
}

// 0 when the copy, read back from the disk's side, holds the original's bytes; else EIO or the
// read's errno.
int CompareBytes(int original, const QByteArray& copyPath)
{
    TDescriptor copy(::open(copyPath.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!copy.IsOpen())
        return errno;
    std::vector<char> mine(kBlockSize), theirs(kBlockSize);
    for (off_t offset = 0;;) {
        const ssize_t a = ReadFull(original, mine.data(), mine.size(), offset);
        const ssize_t b = ReadFull(copy.Handle(), theirs.data(), theirs.size(), offset);
        if (a < 0 || b < 0)
            return errno;
        if (a != b || std::memcmp(mine.data(), theirs.data(), static_cast<size_t>(a)) != 0)
            return EIO;
        if (a == 0)
            return 0;
        offset += a;
    }
}

int CopyLink(const QByteArray& from, const QByteArray& to)
{
    std::vector<char> target(PATH_MAX + 1);
    const ssize_t length = ::readlink(from.constData(), target.data(), target.size() - 1);
    if (length < 0)
        return errno;
    target[static_cast<size_t>(length)] = '\0';
    return ::symlink(target.data(), to.constData()) == 0 ? 0 : errno;
}

} // namespace

TRemovalResult TMoveAside::Move(const QByteArray& path, const QByteArray& relative,
                                const TFileEntry& checked)
{
    struct stat entry = {};
    if (const std::optional<TRemovalResult> differs = DiffersFromCheck(path, checked, entry))
        return *differs;
    const QByteArray destination = m_target + '/' + relative;
    const QByteArray folder = FolderOf(destination);
    if (const int error = MakeFolders(folder, 0777))
        return TRemovalResult::Failure(error);
    const QByteArray name = destination.mid(destination.lastIndexOf('/') + 1);
    const auto candidate = [&](int number) {
        return folder + '/' + NumberedName(name, number, NAME_MAX);
    };
    for (int round = 0; round < kNameClaimRounds; ++round) {
        const int number = FreeNumber([&](int n) { return EntryExists(candidate(n)); });
        if (number == 0)
            break;
        int error = Rename(path, candidate(number));
        if (error == EXDEV)
            error = CopyAcross(path, candidate(number), entry);
        if (error == 0)
            return TRemovalResult::Done();
        if (error != EEXIST)
            return TRemovalResult::Failure(error);
    }
    return TRemovalResult::Failure(EEXIST);
}

int TMoveAside::Rename(const QByteArray& from, const QByteArray& to)
{
    return RenameNoReplace(from, to);
}

int TMoveAside::CopyAcross(const QByteArray& from, const QByteArray& to, const struct stat& entry)
{
    int error = 0;
    if (S_ISLNK(entry.st_mode)) {
        error = CopyLink(from, to);
    } else {
        TDescriptor original(
            ::open(from.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
        if (!original.IsOpen())
            return errno;
        TDescriptor copy(::open(to.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                entry.st_mode & 07777));
        if (!copy.IsOpen())
            return errno;
        const struct timespec times[2] = {entry.st_atim, entry.st_mtim};
        error = CopyBytes(original.Handle(), copy.Handle());
        if (error == 0 && ::fsync(copy.Handle()) != 0)
            error = errno;
        ::futimens(copy.Handle(), times);
        copy.Close();
        if (error == 0)
            error = CompareBytes(original.Handle(), to);
    }
    if (error == 0 && ::unlink(from.constData()) != 0)
        error = errno;
    if (error != 0 && error != EEXIST)
        ::unlink(to.constData());
    return error;
}
