#include "search/FolderScan.h"

#include "platform/MemoLines.h"
#include "search/Masks.h"
#include "search/SearchView.h"

#include <QFile>
#include <QLabel>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unordered_set>

namespace {

struct DirCloser
{
    void operator()(DIR* dir) const noexcept { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

struct DirectoryId
{
    dev_t Device;
    ino_t Inode;
    bool operator==(const DirectoryId&) const = default;
};

struct DirectoryIdHash
{
    size_t operator()(const DirectoryId& id) const noexcept
    {
        return std::hash<uint64_t>()(uint64_t(id.Inode) * 0x9E3779B97F4A7C15ull ^ id.Device);
    }
};

enum class EntryKind { File, Directory, Unknown };

bool IsDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// Links are followed: a link to a directory is a directory. An entry that cannot be examined
// (a broken link, a loop of links, an entry gone meanwhile) is Unknown.
EntryKind KindOf(DIR* dir, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return entry.d_type == DT_DIR ? EntryKind::Directory : EntryKind::File;
    struct stat status;
    if (fstatat(dirfd(dir), entry.d_name, &status, 0) != 0)
        return EntryKind::Unknown;
    return S_ISDIR(status.st_mode) ? EntryKind::Directory : EntryKind::File;
}

// The next entry, or nothing at the end of the folder and on a read error: a folder that fails
// part-way keeps what was read from it.
const dirent* NextEntry(DIR* dir)
{
    errno = 0;
    const dirent* entry = readdir(dir);
    if (!entry && errno != 0)
        qWarning("Cannot read on in a folder: %s", strerror(errno));
    return entry;
}

class TFolderWalk
{
public:
    TFolderWalk(const QByteArray& mask, TMemoLines& list, bool recurse, const TSearchView& view)
        : m_maskText(mask), m_list(list), m_recurse(recurse), m_view(view)
    {}

    void Walk(QByteArray folder);

private:
    void WalkEntries(DIR* dir, const QByteArray& folder);
    bool Matches(const char* name);
    bool Stopped() const { return IsIdle(m_view.StopFlag); }
    void ShowFinished(const QByteArray& subfolder);

    const QByteArray& m_maskText;
    // Compiled at the first name tested, where testing against the text would first fail.
    std::optional<TMask> m_mask;
    TMemoLines& m_list;
    const bool m_recurse;
    const TSearchView& m_view;
    // Every directory entered so far: each is walked once, at the first path that reaches it,
    // so links between folders neither repeat files nor multiply the walk.
    std::unordered_set<DirectoryId, DirectoryIdHash> m_entered;
};

void TFolderWalk::Walk(QByteArray folder)
{
    TMemoLinesUpdate update(m_list);
    if (!folder.endsWith('/'))
        folder.append('/');
    const DirHandle dir(opendir(folder.constData()));
    if (!dir)
        return;
    struct stat status;
    if (fstat(dirfd(dir.get()), &status) != 0)
        return;
    if (!m_entered.insert({status.st_dev, status.st_ino}).second)
        return;
    WalkEntries(dir.get(), folder);
}

void TFolderWalk::WalkEntries(DIR* dir, const QByteArray& folder)
{
    // One buffer for every path of this folder: it grows to the longest name and stays.
    QByteArray path = folder;
    for (const dirent* entry = NextEntry(dir); entry;) {
        path.truncate(folder.size());
        path.append(entry->d_name);
        const EntryKind kind = KindOf(dir, *entry);
        if (kind == EntryKind::Directory) {
            if (m_recurse && !IsDotOrDotDot(entry->d_name)) {
                Walk(path);
                ShowFinished(path);
                if (Stopped())
                    return;
            }
        } else if (kind == EntryKind::File && Matches(entry->d_name)) {
            m_list.Add(path);
            HandleMessages(m_view);
            if (Stopped())
                return;
        }
        entry = NextEntry(dir);
        HandleMessages(m_view);
    }
}

bool TFolderWalk::Matches(const char* name)
{
    if (!m_mask)
        m_mask.emplace(m_maskText);
    return m_mask->MatchName(QByteArray::fromRawData(name, qstrlen(name)));
}

void TFolderWalk::ShowFinished(const QByteArray& subfolder)
{
    m_view.Label1.setText(QStringLiteral("Finding files: ") + QFile::decodeName(subfolder));
    m_view.Label3.setText(QStringLiteral("Quantity of found files ") +
                          QString::number(m_list.Count()));
}

} // namespace

void ScanFolder(const QByteArray& folder, const QByteArray& mask, TMemoLines& list, bool recurse,
                const TSearchView& view)
{
    TFolderWalk(mask, list, recurse, view).Walk(folder);
}
