#include "app/DeletionRun.h"

#include "app/RemovalReport.h"
#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/Exception.h"
#include "platform/FileNames.h"
#include "platform/FileRemoval.h"
#include "platform/FileSystem.h"
#include "platform/Memo.h"
#include "platform/MoveAside.h"
#include "platform/ProgressBar.h"
#include "platform/RemovalSteps.h"
#include "platform/Trash.h"
#include "search/KeepCopies.h"
#include "search/ReferenceFolders.h"
#include "search/ReferenceRows.h"
#include "search/ResultColumns.h"

#include <QString>
#include <algorithm>
#include <functional>
#include <sys/stat.h>
#include <vector>

namespace {

// A row's file is kept as a reference file when the search found it in a reference folder, or
// when the disk shows it in one now (reached through a link changed since, for example).
bool IsReferenceFile(const TReferenceRows& rows, const TReferenceFolders& folders, int row,
                     const QByteArray& path)
{
    return rows.Contains(row) || folders.Contains(path);
}

std::vector<TResultFile> ResultFiles(TDataGrid& grid, const TResultColumns& columns,
                                     const TReferenceFolders& references)
{
    const TReferenceRows referenceRows(grid);
    std::vector<TResultFile> files;
    files.reserve(static_cast<size_t>(grid.RowCount()));
    for (int row = 0; row < grid.RowCount(); ++row) {
        QByteArray path = TextToFileName(grid.Cell(columns.Dest, row).AsString());
        const bool reference = IsReferenceFile(referenceRows, references, row, path);
        files.push_back({std::move(path), grid.Cell(columns.Del, row).AsBoolean(), reference});
    }
    return files;
}

// The path below the first searched folder that holds it. A path that is below none of them, or
// that would climb out of the target, keeps only its name.
QByteArray RelativePath(const QByteArray& path, const std::vector<QByteArray>& searchedFolders)
{
    for (QByteArray folder : searchedFolders) {
        if (!folder.endsWith('/'))
            folder += '/';
        if (!path.startsWith(folder))
            continue;
        QByteArray relative = path.mid(folder.size());
        while (relative.startsWith('/'))
            relative.remove(0, 1);
        const QList<QByteArray> parts = relative.split('/');
        if (std::none_of(parts.begin(), parts.end(), [](const QByteArray& part) {
                return part.isEmpty() || part == "." || part == "..";
            }))
            return relative;
    }
    return path.mid(path.lastIndexOf('/') + 1);
}

using TRemoval = std::function<TRemovalResult(const QByteArray& path, const TFileEntry& checked)>;

// Walks the rows as they were when the run began; the choices say what each one may undergo.
void RemoveMarkedFiles(const TDeletionView& view, const TRemoval& remove,
                       const TResultColumns& columns, const std::vector<TResultFile>& files,
                       const std::vector<TRemovalChoice>& choices,
                       const std::vector<TFileEntry>& entries, TRemovalReport& report)
{
    const int rows = static_cast<int>(files.size());
    int row = 0;
    // The rows not visited: their files stay where they are.
    const auto reportRest = [&] {
        for (; row < rows; ++row)
            if (choices[row] != TRemovalChoice::Untouched)
                report.AddStayed(files[row].Path, choices[row] == TRemovalChoice::Keep
                                                      ? TRemovalReport::TReason::Kept
                                                      : TRemovalReport::TReason::NotReached);
        report.Finish();
    };
    try {
        for (; row < rows; ++row) {
            ProcessMessages();
            if (view.Abandoned)
                break;
            view.ProgressBar2.SetPosition(row);
            // The user may have unmarked the row, or started a new search, meanwhile.
            if (row >= view.DataGrid1.RowCount() ||
                !view.DataGrid1.Cell(columns.Del, row).AsBoolean() ||
                TextToFileName(view.DataGrid1.Cell(columns.Dest, row).AsString()) !=
                    files[row].Path)
                continue;
            if (choices[row] == TRemovalChoice::Keep)
                report.AddStayed(files[row].Path, TRemovalReport::TReason::Kept);
            else if (choices[row] == TRemovalChoice::Remove)
                report.Add(files[row].Path, remove(files[row].Path, entries[row]));
        }
    } catch (const Exception& error) {
        report.AddStayed(files[row].Path, TRemovalReport::TReason::Failed, error.Message());
        ++row;
        reportRest();
        throw;
    }
    reportRest();
}

std::optional<TFileIdentity> FolderIdentity(const QByteArray& path)
{
    struct stat info = {};
    if (::stat(path.constData(), &info) != 0)
        return std::nullopt;
    return TFileIdentity::Of(info);
}

// Refuses a target that the search looked into: the copies would land among the results.
void CheckMoveTarget(const TMoveTarget& target, const QByteArray& searchedFolder)
{
    const std::optional<TFileIdentity> searched = FolderIdentity(searchedFolder);
    if (searchedFolder.isEmpty() || !searched)
        return;
    const QByteArray canonical = CanonicalPath(target.Folder);
    const QString shown = FileNameToText(target.Folder);
    for (QByteArray folder = canonical;; folder = FolderOf(folder)) {
        if (FolderIdentity(folder) == searched) {
            if (folder == canonical)
                throw EInvalidOperation(
                    QStringLiteral("The copies cannot be moved into \"%1\": it is the searched "
                                   "folder.")
                        .arg(shown));
            if (target.Recurse)
                throw EInvalidOperation(
                    QStringLiteral("The copies cannot be moved into \"%1\": it lies inside the "
                                   "searched folder \"%2\", whose subfolders were searched.")
                        .arg(shown, FileNameToText(searchedFolder)));
            return;
        }
        if (folder == FolderOf(folder))
            return;
    }
}

} // namespace

bool ChooseMoveTarget(const TFolderDialog& dialog, QWidget* parent, TMoveTarget& target)
{
    QString folder;
    if (!ChooseFolder(QStringLiteral("Select folder"), QStringLiteral("\\"), folder, dialog,
                      parent))
        return false;
    target.Folder = TextToFileName(folder);
    for (const QByteArray& searched : target.SearchedFolders)
        CheckMoveTarget(target, searched);
    return true;
}

void RunDeletion(const TDeletionView& view, TDeletionMode mode, const TMoveTarget& target)
{
    TRemovalReport report(view.Memo3.Lines(), mode, target.Folder);
    report.AddHeader();
    // With no rows the range is 0 to -1, which the bar refuses: that ends the run here.
    view.ProgressBar2.SetMax(view.DataGrid1.RowCount() - 1);
    const TResultColumns columns = TResultColumns::Resolve(view.DataGrid1);
    const TReferenceFolders references(view.ReferenceFolders, HostFileSystem());
    const std::vector<TResultFile> files = ResultFiles(view.DataGrid1, columns, references);
    std::vector<TFileEntry> entries;
    const std::vector<TRemovalChoice> choices = ChooseRemovals(files, &ProcessMessages, &entries);

    TTrash trash;
    TMoveAside aside(target.Folder);
    TRemoval remove;
    switch (mode) {
    case TDeletionMode::RecycleBin:
        remove = [&](const QByteArray& path, const TFileEntry& checked) {
            return trash.MoveIn(path, checked);
        };
        break;
    case TDeletionMode::HardDrive:
        remove = &OverwriteAndDelete;
        break;
    case TDeletionMode::CopyToFolder:
        remove = [&](const QByteArray& path, const TFileEntry& checked) {
            return aside.Move(path, RelativePath(path, target.SearchedFolders), checked);
        };
        break;
    }
    RemoveMarkedFiles(view, remove, columns, files, choices, entries, report);
}
