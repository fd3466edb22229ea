#include "FileSafety.h"

#include "OrdinaryFileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool IsTrashFolder(const QByteArray& name)
{
    return name == "Trash" || name == ".Trash" || name.startsWith(".Trash-");
}

QByteArray Content(const QByteArray& path, const struct stat& info)
{
    if (S_ISLNK(info.st_mode)) {
        QByteArray target(4096, '\0');
        const ssize_t length = ::readlink(path.constData(), target.data(), target.size());
        return "-> " + target.left(std::max<ssize_t>(length, 0));
    }
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return "<unreadable>";
    char block[65536];
    for (ssize_t count; (count = ::read(fd, block, sizeof block)) > 0;)
        bytes.append(block, count);
    ::close(fd);
    return bytes;
}

void Collect(const QByteArray& folder, std::map<QByteArray, QByteArray>& files)
{
    for (const QByteArray& name : NamesIn(folder)) {
        const QByteArray path = folder + '/' + name;
        struct stat info = {};
        if (::lstat(path.constData(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode)) {
            if (!IsTrashFolder(name))
                Collect(path, files);
        } else {
            files[path] = Content(path, info);
        }
    }
}

} // namespace

std::map<QByteArray, QByteArray> FilesBelow(const QByteArray& folder)
{
    std::map<QByteArray, QByteArray> files;
    QByteArray top = folder;
    while (top.size() > 1 && top.endsWith('/'))
        top.chop(1);
    Collect(top, files);
    return files;
}

std::vector<QByteArray> NamesIn(const QByteArray& folder)
{
    std::vector<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

bool RunsAsRoot()
{
    return ::geteuid() == 0;
}

int AsUnprivileged(const std::function<int()>& work)
{
    const OrdinaryFileAccess ordinary;
    return work();
}

void GiveToUnprivileged(const QByteArray& path)
{
    if (RunsAsRoot())
        ::lchown(path.constData(), OrdinaryFileAccess::kNobody, OrdinaryFileAccess::kNobody);
}

int SetInodeFlag(const QByteArray& path, int flag, bool on)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int flags = 0;
    int error = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        error = errno;
    } else {
        flags = on ? flags | flag : flags & ~flag;
        if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0)
            error = errno;
    }
    ::close(fd);
    return error;
}

QByteArray WriteBytes(const QByteArray& path, const QByteArray& bytes)
{
    for (qsizetype slash = path.indexOf('/', 1); slash >= 0; slash = path.indexOf('/', slash + 1))
        ::mkdir(path.left(slash).constData(), 0755);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        if (::write(fd, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size())
            ::perror("WriteBytes");
        ::close(fd);
    }
    return path;
}

QByteArray ReadBytes(const QByteArray& path)
{
    struct stat info = {};
    return ::lstat(path.constData(), &info) == 0 ? Content(path, info) : QByteArray();
}

bool SharedMemoryIsAnotherFileSystem(const QByteArray& folder)
{
    struct stat shared = {}, here = {};
    return ::stat("/dev/shm", &shared) == 0 && ::stat(folder.constData(), &here) == 0 &&
           shared.st_dev != here.st_dev;
}
