#include "app/DeletionRun.h"

#include "grid/GxGrid.h"
#include "platform/Application.h"
#include "platform/FileNames.h"
#include "platform/FileRemoval.h"
#include "platform/FileSystem.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "search/KeepCopies.h"
#include "search/ReferenceFolders.h"
#include "search/ReferenceRows.h"
#include "search/ResultColumns.h"

#include <QStringList>
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

bool Remove(TDeletionMode mode, const QByteArray& path)
{
    switch (mode) {
    case TDeletionMode::RecycleBin:
        return MoveToTrash(path);
    case TDeletionMode::HardDrive:
        return OverwriteAndDelete(path);
    case TDeletionMode::CopyToFolder:
        break;
    }
    return false;
}

void ReportKept(TMemoLines& report, const std::vector<QByteArray>& kept)
{
    if (kept.empty())
        return;
    report.AddText(
        kept.size() == 1
            ? QStringLiteral("1 marked file was kept so that every picture keeps a copy:")
            : QStringLiteral("%1 marked files were kept so that every picture keeps a "
                             "copy:")
                  .arg(kept.size()));
    for (const QByteArray& path : kept)
        report.Add(path);
}

// Walks the rows as they were when the run began; the choices say what each one may undergo.
void RemoveMarkedFiles(const TDeletionView& view, TDeletionMode mode, const TResultColumns& columns,
                       const std::vector<TResultFile>& files,
                       const std::vector<TRemovalChoice>& choices)
{
    TMemoLines& report = view.Memo3.Lines();
    std::vector<QByteArray> kept;
    try {
        for (int row = 0; row < static_cast<int>(files.size()); ++row) {
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
                kept.push_back(files[row].Path);
            else if (choices[row] == TRemovalChoice::Remove && Remove(mode, files[row].Path))
                report.Add(files[row].Path);
        }
    } catch (...) {
        ReportKept(report, kept);
        throw;
    }
    ReportKept(report, kept);
}

} // namespace

void RunDeletion(const TDeletionView& view, TDeletionMode mode)
{
    TMemoLines& report = view.Memo3.Lines();
    if (mode == TDeletionMode::RecycleBin)
        report.AddText(QStringLiteral("Next files removed in Recycle bin:"));
    if (mode == TDeletionMode::HardDrive)
        report.AddText(QStringLiteral("Next files removed from hard drive:"));
    // With no rows the range is 0 to -1, which the bar refuses: that ends the run here.
    view.ProgressBar2.SetMax(view.DataGrid1.RowCount() - 1);
    const TResultColumns columns = TResultColumns::Resolve(view.DataGrid1);
    const TReferenceFolders references(view.ReferenceFolders, HostFileSystem());
    const std::vector<TResultFile> files = ResultFiles(view.DataGrid1, columns, references);
    const std::vector<TRemovalChoice> choices =
        mode == TDeletionMode::CopyToFolder
            ? std::vector<TRemovalChoice>(files.size(), TRemovalChoice::Untouched)
            : ChooseRemovals(files, &ProcessMessages);
    RemoveMarkedFiles(view, mode, columns, files, choices);
}
