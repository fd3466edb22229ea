#include "search/SearchRun.h"

#include "grid/GxGrid.h"
#include "platform/FileSystem.h"
#include "platform/ImageList.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "search/CandidateList.h"
#include "search/FolderScan.h"
#include "search/PairTable.h"
#include "search/RedrawPace.h"
#include "search/ReferenceFolders.h"
#include "search/ResultRows.h"
#include "search/SearchTables.h"
#include "search/SearchView.h"

#include <QLabel>

namespace {

// The status lines and the progress bar keep the previous run's values until this run writes them.
void ClearWorkingData(const TSearchView& view)
{
    view.Memo1.Lines().Clear();
    view.Memo2.Lines().Clear();
    view.Memo3.Lines().Clear();
    view.ImageList1.Clear();
    view.DataGrid1.ClearRows();
    view.DataGrid2.ClearRows();
    view.DataGrid3.ClearRows();
}

TScanScope ScanScopeOf(const TSearchInputs& inputs)
{
    TScanScope scope{{inputs.Folder}, inputs.Mask, inputs.Recurse, inputs.SkipFolders};
    for (const TSearchFolder& folder : inputs.MoreFolders)
        scope.Folders.push_back(folder.Path);
    return scope;
}

void FindFiles(const TSearchView& view, const TSearchInputs& inputs)
{
    view.Report(TSearchPhase::Scan);
    view.Label1.setText(QStringLiteral("Finding files"));
    ScanFolders(ScanScopeOf(inputs), view.Memo1.Lines(), view, HostFileSystem());
}

// Fewer than two found files make the maximum negative, which the progress bar refuses: that
// error is what ends a run with nothing to compare.
void BeginCandidateList(const TSearchView& view)
{
    view.ProgressBar1.SetMax(view.Memo1.Lines().Count() - 2);
    view.Label1.setText(QStringLiteral("Creating a list of files"));
}

// Fewer than two candidates make the maximum negative and end the run the same way.
void BeginComparison(const TSearchView& view)
{
    view.ProgressBar1.SetMax(view.DataGrid2.RowCount() - 2);
    view.Label1.setText(QStringLiteral("Compare files:"));
}

// The phases after the scan. Returns false when a stop request ended the result rows early.
bool FindDuplicates(const TSearchView& view, const TSearchTables& tables,
                    const TReferenceFolders& references)
{
    view.Report(TSearchPhase::CandidateList);
    BeginCandidateList(view);
    BuildCandidateList(view, tables);
    SortCandidates(view, tables);
    view.Report(TSearchPhase::Comparison);
    BeginComparison(view);
    try {
        CompareCandidates(view, tables, GroupIdenticalCandidates(view, tables));
    } catch (const ESearchStopped&) {
        // Stopped inside a long file: the pairs found so far go on as after a stop in the scan.
    }
    DropReferenceOnlyGroups(view.DataGrid3, tables.Pairs, references);
    const std::vector<int> groups = CleanUpPairs(view.DataGrid3, tables.Pairs);
    view.Report(TSearchPhase::ResultRows);
    return MakeResultRows(view, tables, groups, references);
}

void EndRun(const TSearchView& view)
{
    view.DataGrid1.viewport()->update();
    view.Label1.setText(QStringLiteral("Finish"));
    view.StopFlag = 1;
    view.Report(TSearchPhase::Finished);
}

} // namespace

void RunSearch(const TSearchView& window, const TSearchInputs& inputs)
{
    // The status lines, the progress bar and the results grid change for every file, but are
    // drawn only at the pace's frames, and as they are at the end once the run is over.
    TRedrawPace pace({&window.Label1, &window.Label3, &window.Label4, &window.ProgressBar1,
                      &window.DataGrid1});
    TSearchView view = window;
    view.Pace = &pace;
    try {
        ClearWorkingData(view);
        const TSearchTables tables = TSearchTables::Resolve(view);
        // Looked up before the scan: the folders as they are when the search begins.
        const TReferenceFolders references(inputs.ReferenceFolders(), HostFileSystem());
        FindFiles(view, inputs);
        // A stop request during the result rows leaves at once: the status lines keep the
        // last file made, and StopFlag already reads 1.
        if (!FindDuplicates(view, tables, references))
            return;
    } catch (...) {
        // A failing run ends like a completed one; what it made so far stays.
    }
    EndRun(view);
}

std::vector<QByteArray> TSearchInputs::ReferenceFolders() const
{
    std::vector<QByteArray> folders;
    for (const TSearchFolder& folder : MoreFolders)
        if (folder.Reference)
            folders.push_back(folder.Path);
    return folders;
}

std::vector<QByteArray> TSearchInputs::SearchedFolders() const
{
    std::vector<QByteArray> folders{Folder};
    for (const TSearchFolder& folder : MoreFolders)
        folders.push_back(folder.Path);
    return folders;
}
