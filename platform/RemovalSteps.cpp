#include "platform/RemovalSteps.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

// What follows the last dot counts as the extension only up to this length, so that a long name
// with a dot in it keeps room for a number.
constexpr qsizetype kLongestExtension = 16;
constexpr int kLargestNumber = 1 << 30;

} // namespace

void TDescriptor::Close() noexcept
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
}

std::optional<TRemovalResult> DiffersFromCheck(const QByteArray& path, const TFileEntry& checked,
                                               struct stat& entry)
{
    if (::lstat(path.constData(), &entry) != 0)
        return errno == ENOENT ? TRemovalResult{TRemovalOutcome::Gone}
                               : TRemovalResult::Failure(errno);
    const TRemovalResult changed{TRemovalOutcome::Changed};
    if (!checked.Exists)
        return changed;
    if (checked.IsLink)
        return S_ISLNK(entry.st_mode) ? std::nullopt : std::optional(changed);
    if (!S_ISREG(entry.st_mode) || TFileIdentity::Of(entry) != checked.File ||
        entry.st_size != checked.Size)
        return changed;
    return std::nullopt;
}

QByteArray NumberedName(const QByteArray& name, int number, qsizetype maxBytes)
{
    qsizetype dot = name.lastIndexOf('.');
    // A leading dot marks a hidden name, not an extension.
    if (dot <= 0 || name.size() - dot > kLongestExtension)
        dot = name.size();
    QByteArray stem = name.left(dot);
    const QByteArray extension = name.mid(dot);
    const QByteArray suffix = number > 1 ? " (" + QByteArray::number(number) + ')' : QByteArray();
    const qsizetype room = std::max<qsizetype>(maxBytes - suffix.size() - extension.size(), 0);
    if (stem.size() > room) {
        qsizetype cut = room;
        while (cut > 0 && (static_cast<uchar>(stem[cut]) & 0xC0) == 0x80)
            --cut;
        stem.truncate(cut);
    }
    return stem + suffix + extension;
}

int FreeNumber(const std::function<bool(int number)>& taken)
{
    if (!taken(1))
        return 1;
    int low = 1;
    int high = 2;
    while (taken(high)) {
        if (high >= kLargestNumber)
            return 0;
        low = high;
        high *= 2;
    }
    // low is taken and high free; a gap in the run only ends the search sooner.
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (taken(middle) ? low : high) = middle;
    }
    return high;
}

int MakeFolders(const QByteArray& path, mode_t mode)
{
    for (qsizetype slash = path.indexOf('/', 1); slash >= 0; slash = path.indexOf('/', slash + 1))
        if (::mkdir(path.left(slash).constData(), mode) != 0 && errno != EEXIST)
            return errno;
    if (::mkdir(path.constData(), mode) != 0 && errno != EEXIST)
        return errno;
    struct stat info = {};
    if (::stat(path.constData(), &info) != 0)
        return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

QByteArray AbsolutePath(const QByteArray& path)
{
    if (path.startsWith('/'))
        return path;
    const std::unique_ptr<char, decltype(&::free)> current(::getcwd(nullptr, 0), &::free);
    return current ? QByteArray(current.get()) + '/' + path : path;
}

QByteArray CanonicalPath(const QByteArray& path)
{
    const std::unique_ptr<char, decltype(&::free)> real(::realpath(path.constData(), nullptr),
                                                        &::free);
    return real ? QByteArray(real.get()) : path;
}

bool EntryExists(const QByteArray& path)
{
    struct stat info = {};
    return ::lstat(path.constData(), &info) == 0;
}

int RenameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;
    struct stat info = {};
    if (::lstat(to.constData(), &info) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}
