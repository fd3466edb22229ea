#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int kFirstPackedYear = 1980;
constexpr int kLastPackedYear = 2107;

bool IsDigits(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

QByteArray HomeTrashFromEnvironment()
{
    // A relative XDG_DATA_HOME is invalid and ignored, as the base directory rules say.
    QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    if (!dataHome.startsWith('/'))
        dataHome = QFile::encodeName(QDir::homePath()) + "/.local/share";
    while (dataHome.endsWith('/'))
        dataHome.chop(1);
    return dataHome + "/Trash";
}

} // namespace

TFile::TFile(const QByteArray& path) noexcept
{
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_size = info.st_size;
    m_identity = TFileIdentity::Of(info);
}

TFile::TFile(TFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size), m_identity(other.m_identity)
{}

TFile& TFile::operator=(TFile&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = std::exchange(other.m_fd, -1);
        m_size = other.m_size;
        m_identity = other.m_identity;
    }
    return *this;
}

TFile::~TFile() noexcept
{
    Close();
}

int64_t TFile::Read(void* buffer, size_t size) noexcept
{
    if (m_fd < 0)
        return -1;
    auto* target = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(m_fd, target + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<size_t>(n);
    }
    return static_cast<int64_t>(done);
}

bool TFile::Rewind() noexcept
{
    return m_fd >= 0 && ::lseek(m_fd, 0, SEEK_SET) == 0;
}

void TFile::Close() noexcept
{
    // Never retry close() after EINTR: the descriptor is gone either way on Linux.
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
}

double FileSizeOf(const QByteArray& path)
{
    const TFile file(path);
    return file.IsOpen() ? static_cast<double>(file.Size()) : -1.0;
}

int32_t PackFileTime(time_t moment)
{
    struct tm local = {};
    if (!::localtime_r(&moment, &local))
        return -1;
    const int year = local.tm_year + 1900;
    if (year < kFirstPackedYear || year > kLastPackedYear)
        return -1;
    const uint32_t date = static_cast<uint32_t>(((year - kFirstPackedYear) << 9) |
                                                ((local.tm_mon + 1) << 5) | local.tm_mday);
    // A leap second (tm_sec 60) stays inside its minute.
    const int seconds = local.tm_sec > 59 ? 59 : local.tm_sec;
    const uint32_t time =
        static_cast<uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (seconds / 2));
    // Dates from 2044 on set the top bit: the stamp is then negative, as a 32-bit value is.
    return static_cast<int32_t>(date << 16 | time);
}

TDateTime FileStampToDateTime(int32_t stamp)
{
    if (stamp == -1)
        return 0;
    const auto bits = static_cast<uint32_t>(stamp);
    const uint32_t date = bits >> 16;
    const uint32_t time = bits & 0xFFFF;
    return EncodeDateTime(static_cast<int>(date >> 9) + kFirstPackedYear,
                          static_cast<int>((date >> 5) & 0x0F), static_cast<int>(date & 0x1F),
                          static_cast<int>(time >> 11), static_cast<int>((time >> 5) & 0x3F),
                          static_cast<int>(time & 0x1F) * 2);
}

int32_t FileCreationStamp(const QByteArray& path)
{
    struct statx info = {};
    if (::statx(AT_FDCWD, path.constData(), 0, STATX_TYPE | STATX_MTIME | STATX_BTIME, &info) !=
            0 ||
        S_ISDIR(info.stx_mode))
        return -1;
    // File systems without birth times leave the bit clear; files that came with the system
    // may carry a zero birth time.
    const bool hasBirth = (info.stx_mask & STATX_BTIME) &&
                          (info.stx_btime.tv_sec != 0 || info.stx_btime.tv_nsec != 0);
    return PackFileTime(
        static_cast<time_t>(hasBirth ? info.stx_btime.tv_sec : info.stx_mtime.tv_sec));
}

TDateTime FileCreationDateTime(const QByteArray& path)
{
    return FileStampToDateTime(FileCreationStamp(path));
}

TTrashFolders::TTrashFolders() : m_homeTrash(HomeTrashFromEnvironment()) {}

TTrashFolders::TTrashFolders(QByteArray homeTrash) : m_homeTrash(std::move(homeTrash)) {}

bool TTrashFolders::Contains(const QByteArray& path) const
{
    if (path.size() > m_homeTrash.size() + 1 && path.startsWith(m_homeTrash) &&
        path[m_homeTrash.size()] == '/')
        return true;
    // Walk the folders of the path (never its last component, the file itself).
    const QByteArrayView whole(path);
    qsizetype start = 0;
    qsizetype slash = whole.indexOf('/', start);
    QByteArrayView previous;
    while (slash >= 0) {
        const QByteArrayView folder = whole.sliced(start, slash - start);
        if (folder.startsWith(".Trash-") && IsDigits(folder.sliced(7)))
            return true;
        if (previous == ".Trash" && IsDigits(folder))
            return true;
        previous = folder;
        start = slash + 1;
        slash = whole.indexOf('/', start);
    }
    return false;
}
