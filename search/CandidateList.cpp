#include "search/CandidateList.h"

#include "grid/GxGrid.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "platform/SysUtils.h"
#include "search/SearchTables.h"
#include "search/SearchView.h"

#include <QLabel>
#include <unordered_set>

bool IsCandidate(const QByteArray& path, double size, const TTrashFolders& trash)
{
    return size > 100 && !path.contains("RECYCLER") && !trash.Contains(path);
}

void BuildCandidateList(const TSearchView& view, const TSearchTables& tables)
{
    const TTrashFolders trash;
    TDataGrid& candidates = view.DataGrid2;
    const TMemoLines& lines = view.Memo1.Lines();
    // One file reached by several paths (folder links, hard links) is one candidate, at the
    // first of its paths: every row then names a distinct file.
    std::unordered_set<TFileIdentity> seen;
    for (int s = 0; s < lines.Count(); ++s) {
        view.ProgressBar1.SetPosition(s);
        const QByteArray path = lines.Line(s);
        const TFile file(path);
        const double size = file.IsOpen() ? double(file.Size()) : -1.0;
        const QString pathText = FileNameToText(path);
        view.Label3.setText(pathText);
        if (IsCandidate(path, size, trash) && seen.insert(file.Identity()).second) {
            const int row = candidates.AddRow();
            candidates.Cell(tables.Candidates.Path, row).SetAsString(pathText);
            candidates.Cell(tables.Candidates.Size, row).SetAsString(FloatToStr(size));
        }
        HandleMessages(view);
    }
}

void SortCandidates(const TSearchView& view, const TSearchTables& tables)
{
    view.DataGrid2.Columns().Items(tables.Candidates.Size).SetSorted(true);
}
