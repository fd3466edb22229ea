// The file system of a POSIX host.

#include "platform/FileSystem.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

namespace {

struct DirCloser
{
    void operator()(DIR* dir) const noexcept { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

TEntryKind KindOfStatus(const struct stat& status)
{
    return S_ISDIR(status.st_mode) ? TEntryKind::Folder : TEntryKind::File;
}

class TPosixListing final : public TFolderListing
{
public:
    TPosixListing(DirHandle dir, const TFileIdentity& identity)
        : m_dir(std::move(dir)), m_identity(identity)
    {}

    const TFileIdentity& Identity() const noexcept override { return m_identity; }
    int Error() const noexcept override { return m_error; }

    bool Next(TFolderEntry& entry) override
    {
        errno = 0;
        const dirent* read = ::readdir(m_dir.get());
        if (!read) {
            m_error = errno;
            return false;
        }
        entry.Name = read->d_name;
        entry.Kind = KindOf(*read);
        return true;
    }

private:
    // The listing's type saves a look-up for most entries; a link, or a file system that does
    // not say, needs one.
    TEntryKind KindOf(const dirent& read) const
    {
        if (read.d_type != DT_UNKNOWN && read.d_type != DT_LNK)
            return read.d_type == DT_DIR ? TEntryKind::Folder : TEntryKind::File;
        struct stat status;
        if (::fstatat(::dirfd(m_dir.get()), read.d_name, &status, 0) != 0)
            return TEntryKind::Missing;
        return KindOfStatus(status);
    }

    DirHandle m_dir;
    TFileIdentity m_identity;
    int m_error = 0;
};

class TPosixFileSystem final : public TFileSystem
{
public:
    std::unique_ptr<TFolderListing> OpenFolder(const QByteArray& path, int& error) override
    {
        DirHandle dir(::opendir(path.constData()));
        struct stat status;
        if (!dir || ::fstat(::dirfd(dir.get()), &status) != 0) {
            error = errno;
            return nullptr;
        }
        error = 0;
        return std::make_unique<TPosixListing>(std::move(dir), TFileIdentity::Of(status));
    }

    TEntryStatus LookUp(const QByteArray& path) override
    {
        struct stat status;
        if (::stat(path.constData(), &status) != 0)
            return {};
        return {KindOfStatus(status), TFileIdentity::Of(status)};
    }

    QByteArray RealPath(const QByteArray& path) override
    {
        const std::unique_ptr<char, decltype(&std::free)> real(
            ::realpath(path.constData(), nullptr), &std::free);
        return real ? QByteArray(real.get()) : QByteArray();
    }

    TFile OpenFile(const QByteArray& path) override { return TFile(path); }

    int64_t MeasureFile(const TFile& file) override
    {
        struct stat status;
        return file.IsOpen() && ::fstat(file.Handle(), &status) == 0 ? status.st_size : -1;
    }
};

} // namespace

TFileSystem& HostFileSystem()
{
    static TPosixFileSystem host;
    return host;
}
