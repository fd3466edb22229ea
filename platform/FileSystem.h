#pragma once

#include "platform/FileIdentity.h"
#include "platform/SysUtils.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>

// File primitives over POSIX. Paths are the file system's own bytes (QFile::encodeName of a shown
// path), so a name that is not valid in the locale's encoding still reaches its file.

// A regular file opened for reading. Move-only; the destructor closes it.
class TFile
{
public:
    TFile() noexcept = default;
    // Opens the file for reading. A missing or unreadable file, a folder, a device or a pipe
    // leaves the object closed; the open never blocks (a pipe with no writer would hang it).
    explicit TFile(const QByteArray& path) noexcept;
    TFile(TFile&& other) noexcept;
    TFile& operator=(TFile&& other) noexcept;
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;
    ~TFile() noexcept;

    bool IsOpen() const noexcept { return m_fd >= 0; }
    int Handle() const noexcept { return m_fd; }
    // The size at the time of opening.
    int64_t Size() const noexcept { return m_size; }
    const TFileIdentity& Identity() const noexcept { return m_identity; }

    // Reads until the buffer is full or the file ends, so a short count means the end; -1 on a
    // read error or a closed file.
    int64_t Read(void* buffer, size_t size) noexcept;
    // Back to the first byte; false on failure.
    bool Rewind() noexcept;
    void Close() noexcept;

private:
    int m_fd = -1;
    int64_t m_size = 0;
    TFileIdentity m_identity;
};

// The size of the file in bytes, or -1 when it cannot be opened for reading (or is no regular
// file). Nothing on Linux stops a file being read while another program has it open.
double FileSizeOf(const QByteArray& path);

// The packed date and time of a moment in local time: the date word (years since 1980 in bits
// 9-15, month in 5-8, day in 0-4) times 65536 plus the time word (hours in 11-15, minutes in
// 5-10, seconds / 2 in 0-4). -1 for moments outside 1980-2107, which the words cannot hold.
int32_t PackFileTime(time_t moment);
// The date-time a packed stamp encodes; 0 for the stamp -1.
TDateTime FileStampToDateTime(int32_t stamp);

// When the file was created, packed as above: its birth time where the file system records one,
// otherwise its last modification. -1 when the path is missing or a folder.
int32_t FileCreationStamp(const QByteArray& path);
// FileCreationStamp as a date-time, 0 when it is -1.
TDateTime FileCreationDateTime(const QByteArray& path);

// The desktop's trash folders, where removed files wait: the home trash ($XDG_DATA_HOME/Trash,
// by default ~/.local/share/Trash) and the per-volume folders .Trash-<uid> and .Trash/<uid>.
class TTrashFolders
{
public:
    // The home trash as the environment names it.
    TTrashFolders();
    explicit TTrashFolders(QByteArray homeTrash);

    const QByteArray& HomeTrash() const { return m_homeTrash; }
    // Whether the path lies inside one of them. The test is on the text of the path, so it costs
    // no system call; a volume trash is recognised by its folder names wherever they appear.
    bool Contains(const QByteArray& path) const;

private:
    QByteArray m_homeTrash;
};

// What a name reaches, symbolic links followed.
enum class TEntryKind {
    // Nothing that can be examined: no such entry, a broken link, a loop of links, no right to
    // look.
    Missing,
    Folder,
    // A regular file, or a device, pipe or socket: anything that is there and no folder.
    File,
};

// What a path reaches, links followed: its kind, and for a file or folder its identity.
struct TEntryStatus
{
    TEntryKind Kind = TEntryKind::Missing;
    TFileIdentity Identity;
};

// One entry of an open folder. The name stays valid until the next entry is read.
struct TFolderEntry
{
    const char* Name = nullptr;
    TEntryKind Kind = TEntryKind::Missing;
};

// A folder opened for listing. The entries come in the order the file system keeps them, hidden
// ones and "." and ".." included.
class TFolderListing
{
public:
    virtual ~TFolderListing() = default;

    // The folder itself, as measured when it was opened.
    virtual const TFileIdentity& Identity() const noexcept = 0;
    // Reads the next entry into entry; false at the end of the folder and on a read error,
    // which Error() then names (errno value; 0 after a clean end).
    virtual bool Next(TFolderEntry& entry) = 0;
    virtual int Error() const noexcept = 0;
};

// The file system as the search and the edits see it: a thin seam over the system calls, so that
// tests can make chosen calls fail with chosen errors whoever runs them.
class TFileSystem
{
public:
    virtual ~TFileSystem() = default;

    // Opens a folder (through links) for listing; null when it cannot, error then holds the
    // errno value.
    virtual std::unique_ptr<TFolderListing> OpenFolder(const QByteArray& path, int& error) = 0;
    // What the path reaches, links followed.
    virtual TEntryStatus LookUp(const QByteArray& path) = 0;
    // The absolute path of what the path reaches, with no link, "." or ".." left in it; empty
    // when it cannot be resolved.
    virtual QByteArray RealPath(const QByteArray& path) = 0;
    // Opens a regular file for reading and measures it (see TFile).
    virtual TFile OpenFile(const QByteArray& path) = 0;
    // The size of an open file now; -1 when it cannot be measured.
    virtual int64_t MeasureFile(const TFile& file) = 0;
};

// The host's file system.
TFileSystem& HostFileSystem();
