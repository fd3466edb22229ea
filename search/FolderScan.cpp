#include "search/FolderScan.h"

#include "platform/FileSystem.h"
#include "platform/MemoLines.h"
#include "search/FolderExclusions.h"
#include "search/MaskList.h"
#include "search/SearchView.h"

#include <QFile>
#include <QLabel>
#include <QSet>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_set>

namespace {

bool IsDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// The next entry, or false at the end of the folder and on a read error: a folder that fails
// part-way keeps what was read from it, and the failure is told.
bool NextEntry(TFolderListing& listing, const QByteArray& folder, TFolderEntry& entry)
{
    if (listing.Next(entry))
        return true;
    if (listing.Error() != 0)
        qWarning("Cannot read on in the folder %s: %s", folder.constData(),
                 strerror(listing.Error()));
    return false;
}

class TFolderWalk
{
public:
    TFolderWalk(const QByteArray& mask, TMemoLines& list, bool recurse,
                const TFolderExclusions& exclusions, const TSearchView& view, TFileSystem& files)
        : m_maskText(mask), m_list(list), m_recurse(recurse), m_exclusions(exclusions),
          m_view(view), m_files(files)
    {}

    // Walks the folder unless it was entered before; the errno value when it cannot be opened,
    // else 0.
    int Walk(QByteArray folder);
    bool Stopped() const { return IsIdle(m_view.StopFlag); }

private:
    void WalkEntries(TFolderListing& listing, const QByteArray& folder);
    bool Matches(const char* name);
    void ShowFinished(const QByteArray& subfolder);

    const QByteArray& m_maskText;
    // Compiled at the first name tested, where testing against the text would first fail.
    std::optional<TMaskList> m_mask;
    TMemoLines& m_list;
    const bool m_recurse;
    const TFolderExclusions& m_exclusions;
    const TSearchView& m_view;
    TFileSystem& m_files;
    // Every directory entered so far: each is walked once, at the first path that reaches it,
    // so links between folders neither repeat files nor multiply the walk.
    std::unordered_set<TFileIdentity> m_entered;
};

int TFolderWalk::Walk(QByteArray folder)
{
    TMemoLinesUpdate update(m_list);
    if (!folder.endsWith('/'))
        folder.append('/');
    int error = 0;
    const std::unique_ptr<TFolderListing> listing = m_files.OpenFolder(folder, error);
    if (listing && m_entered.insert(listing->Identity()).second)
        WalkEntries(*listing, folder);
    return error;
}

void TFolderWalk::WalkEntries(TFolderListing& listing, const QByteArray& folder)
{
    // One buffer for every path of this folder: it grows to the longest name and stays.
    QByteArray path = folder;
    TFolderEntry entry;
    for (bool more = NextEntry(listing, folder, entry); more;) {
        path.truncate(folder.size());
        path.append(entry.Name);
        if (entry.Kind == TEntryKind::Folder) {
            if (m_recurse && !IsDotOrDotDot(entry.Name) && !m_exclusions.Excludes(path)) {
                Walk(path);
                ShowFinished(path);
                if (Stopped())
                    return;
            }
        } else if (entry.Kind == TEntryKind::File && Matches(entry.Name)) {
            m_list.Add(path);
            HandleMessages(m_view);
            if (Stopped())
                return;
        }
        more = NextEntry(listing, folder, entry);
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

QByteArray WithoutTrailingSlash(QByteArray folder)
{
    while (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    return folder;
}

// Tells each folder that is not searched once, however often it was given.
class TFolderNotices
{
public:
    explicit TFolderNotices(const TSearchView& view) : m_view(view) {}

    void Tell(const QByteArray& folder, const QString& why)
    {
        if (m_view.FolderNotice && !m_told.contains(folder)) {
            m_told.insert(folder);
            m_view.FolderNotice(
                QStringLiteral("Not searched: %1 (%2)").arg(QFile::decodeName(folder), why));
        }
    }

private:
    const TSearchView& m_view;
    QSet<QByteArray> m_told;
};

} // namespace

void ScanFolders(const TScanScope& scope, TMemoLines& list, const TSearchView& view,
                 TFileSystem& files)
{
    const TFolderExclusions exclusions(scope.SkipFolders);
    TFolderWalk walk(scope.Mask, list, scope.Recurse, exclusions, view, files);
    TFolderNotices notices(view);
    for (size_t i = 0; i < scope.Folders.size() && !walk.Stopped(); ++i) {
        const QByteArray folder = WithoutTrailingSlash(scope.Folders[i]);
        // The first folder keeps the silence of a one-folder search.
        const bool tell = i > 0;
        if (exclusions.Excludes(folder)) {
            if (tell)
                notices.Tell(folder, QStringLiteral("it is excluded"));
            continue;
        }
        const int error = walk.Walk(scope.Folders[i]);
        if (error != 0 && tell)
            notices.Tell(folder, QString::fromLocal8Bit(strerror(error)));
    }
}

void ScanFolder(const QByteArray& folder, const QByteArray& mask, TMemoLines& list, bool recurse,
                const TSearchView& view, TFileSystem& files)
{
    ScanFolders({{folder}, mask, recurse, {}}, list, view, files);
}
