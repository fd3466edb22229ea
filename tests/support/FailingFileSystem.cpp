#include "FailingFileSystem.h"

#include <cerrno>
#include <optional>

namespace {

QByteArray WithoutTrailingSlash(QByteArray path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

// The host's listing, with the chosen read failure and the chosen look-ups of entries failed.
class FailingListing final : public TFolderListing
{
public:
    FailingListing(std::unique_ptr<TFolderListing> host, const FailingFileSystem& files,
                   QByteArray folder)
        : m_host(std::move(host)), m_files(files), m_folder(std::move(folder))
    {
        if (const auto* failure = files.FailureOf(FailingFileSystem::Call::ReadFolder, m_folder))
            m_readFailure = *failure;
    }

    const TFileIdentity& Identity() const noexcept override { return m_host->Identity(); }
    int Error() const noexcept override { return m_error; }

    bool Next(TFolderEntry& entry) override
    {
        if (m_readFailure && m_read == m_readFailure->after) {
            m_error = m_readFailure->error;
            return false;
        }
        if (!m_host->Next(entry)) {
            m_error = m_host->Error();
            return false;
        }
        ++m_read;
        if (m_files.FailureOf(FailingFileSystem::Call::LookUp, m_folder + '/' + entry.Name))
            entry.Kind = TEntryKind::Missing;
        return true;
    }

private:
    std::unique_ptr<TFolderListing> m_host;
    const FailingFileSystem& m_files;
    QByteArray m_folder;
    std::optional<FailingFileSystem::Failure> m_readFailure;
    int m_read = 0;
    int m_error = 0;
};

} // namespace

void FailingFileSystem::Fail(Call call, const QByteArray& path, int error, int after)
{
    m_failures.push_back({call, WithoutTrailingSlash(path), error, after});
}

const FailingFileSystem::Failure* FailingFileSystem::FailureOf(Call call,
                                                               const QByteArray& path) const
{
    const QByteArray key = WithoutTrailingSlash(path);
    for (const Failure& failure : m_failures)
        if (failure.call == call && failure.path == key)
            return &failure;
    return nullptr;
}

std::unique_ptr<TFolderListing> FailingFileSystem::OpenFolder(const QByteArray& path, int& error)
{
    const QByteArray folder = WithoutTrailingSlash(path);
    m_opened << folder;
    if (const Failure* failure = FailureOf(Call::OpenFolder, folder)) {
        error = failure->error;
        return nullptr;
    }
    std::unique_ptr<TFolderListing> host = HostFileSystem().OpenFolder(path, error);
    if (!host)
        return nullptr;
    return std::make_unique<FailingListing>(std::move(host), *this, folder);
}

TEntryStatus FailingFileSystem::LookUp(const QByteArray& path)
{
    return FailureOf(Call::LookUp, path) ? TEntryStatus() : HostFileSystem().LookUp(path);
}

QByteArray FailingFileSystem::RealPath(const QByteArray& path)
{
    return FailureOf(Call::LookUp, path) ? QByteArray() : HostFileSystem().RealPath(path);
}

TFile FailingFileSystem::OpenFile(const QByteArray& path)
{
    if (const Failure* failure = FailureOf(Call::OpenFile, path)) {
        errno = failure->error;
        return TFile();
    }
    TFile file = HostFileSystem().OpenFile(path);
    if (file.IsOpen())
        m_pathOfFile[file.Identity()] = path;
    return file;
}

int64_t FailingFileSystem::MeasureFile(const TFile& file)
{
    const auto opened = m_pathOfFile.find(file.Identity());
    if (opened != m_pathOfFile.end())
        if (const Failure* failure = FailureOf(Call::MeasureFile, opened->second)) {
            errno = failure->error;
            return -1;
        }
    return HostFileSystem().MeasureFile(file);
}
