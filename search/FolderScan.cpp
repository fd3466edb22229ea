#include "search/FolderScan.h"

#include "platform/MemoLines.h"
#include "search/Masks.h"
#include "search/SearchView.h"

#include <QFile>
#include <QLabel>
#include <algorithm>
#include <dirent.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <vector>

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

bool IsDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// Links are followed: a link to a directory is a directory, a broken link a file.
bool IsDirectory(DIR* dir, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK)
        return entry.d_type == DT_DIR;
    struct stat status;
    return fstatat(dirfd(dir), entry.d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
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
    bool Stopped() const { return m_view.StopFlag == 1; }
    void ShowFinished(const QByteArray& subfolder);

    const QByteArray& m_maskText;
    // Compiled at the first name tested, where testing against the text would first fail.
    std::optional<TMask> m_mask;
    TMemoLines& m_list;
    const bool m_recurse;
    const TSearchView& m_view;
    // The directories from the scan's root down to the one being walked.
    std::vector<DirectoryId> m_path;
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
    const DirectoryId id{status.st_dev, status.st_ino};
    if (std::find(m_path.begin(), m_path.end(), id) != m_path.end())
        return;
    // A failure leaves the whole walk, so the path needs no unwinding then.
    m_path.push_back(id);
    WalkEntries(dir.get(), folder);
    m_path.pop_back();
}

void TFolderWalk::WalkEntries(DIR* dir, const QByteArray& folder)
{
    // One buffer for every path of this folder: it grows to the longest name and stays.
    QByteArray path = folder;
    for (const dirent* entry = readdir(dir); entry;) {
        path.truncate(folder.size());
        path.append(entry->d_name);
        if (IsDirectory(dir, *entry)) {
            if (m_recurse && !IsDotOrDotDot(entry->d_name)) {
                Walk(path);
                ShowFinished(path);
                if (Stopped())
                    return;
            }
        } else if (Matches(entry->d_name)) {
            m_list.Add(path);
            HandleMessages(m_view);
            if (Stopped())
                return;
        }
        entry = readdir(dir);
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
