#pragma once

#include "platform/FileEntry.h"
#include "platform/RemovalResult.h"

#include <QByteArray>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <utility>

// Steps that the ways of removing a marked file share.

// An open descriptor, closed when the guard goes.
class TDescriptor
{
public:
    explicit TDescriptor(int fd = -1) noexcept : m_fd(fd) {}
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    ~TDescriptor() noexcept { Close(); }

    int Handle() const noexcept { return m_fd; }
    bool IsOpen() const noexcept { return m_fd >= 0; }
    void Close() noexcept;

private:
    int m_fd;
};

// Looks at the entry again just before it goes. Empty when it is still what the check saw (the
// same regular file with the same size, or still a link, or still missing for a path that was
// gone): then entry holds its lstat. Otherwise Gone or Changed.
std::optional<TRemovalResult> DiffersFromCheck(const QByteArray& path, const TFileEntry& checked,
                                               struct stat& entry);

// The name with " (number)" before its extension ("a.jpg", 3 gives "a (3).jpg"); number 1 is
// the name itself. A result longer than maxBytes is cut at the end of its stem, never inside a
// UTF-8 character, so that a long name still has room for its number.
QByteArray NumberedName(const QByteArray& name, int number, qsizetype maxBytes);

// A number whose name is free, looked for in few probes: numbers are handed out in order, so the
// search gallops past the taken run and halves the gap to its end. 0 when even the largest
// number tried is taken.
int FreeNumber(const std::function<bool(int number)>& taken);

// Creates the folder and every missing folder above it with the mode; 0 or the errno.
int MakeFolders(const QByteArray& path, mode_t mode);

// The path made absolute against the current folder, byte for byte.
QByteArray AbsolutePath(const QByteArray& path);
// The path with its links and dots resolved; the path itself when that fails.
QByteArray CanonicalPath(const QByteArray& path);

// Whether anything (a dangling link too) is at the path.
bool EntryExists(const QByteArray& path);

// A name that another program takes again and again between our probe and our claim ends the
// attempt after this many rounds.
inline constexpr int kNameClaimRounds = 16;

// Renames without ever replacing an entry at the new path: EEXIST when one is there. On a file
// system that cannot rename that way, the check and the rename are two steps.
int RenameNoReplace(const QByteArray& from, const QByteArray& to);
