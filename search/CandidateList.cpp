#include "search/CandidateList.h"

#include "grid/GxGrid.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/Memo.h"
#include "platform/ProgressBar.h"
#include "platform/SysUtils.h"
#include "search/SearchTables.h"
#include "search/SearchView.h"
#include "search/WorkAhead.h"

#include <QLabel>
#include <unordered_set>

bool IsCandidate(const QByteArray& path, double size, const TTrashFolders& trash)
{
    return size > 100 && !path.contains("RECYCLER") && !trash.Contains(path);
}

namespace {

// A found file as measured: its size (-1 when it cannot be opened) and what it is.
struct TMeasuredFile
{
    double size = -1.0;
    TFileIdentity identity;
};

TMeasuredFile Measure(const QByteArray& path)
{
    const TFile file(path);
    return file.IsOpen() ? TMeasuredFile{double(file.Size()), file.Identity()} : TMeasuredFile{};
}

} // namespace

void BuildCandidateList(const TSearchView& view, const TSearchTables& tables)
{
    const TTrashFolders trash;
    TDataGrid& candidates = view.DataGrid2;
    const TMemoLines& lines = view.Memo1.Lines();
    TWorkAhead<QByteArray, TMeasuredFile> measures(
        Measure, [&lines](int s) { return lines.Line(s); }, [&view] { HandleMessages(view); });
    // One file reached by several paths (folder links, hard links) is one candidate, at the
    // first of its paths: every row then names a distinct file.
    std::unordered_set<TFileIdentity> seen;
    for (int s = 0; s < lines.Count(); ++s) {
        view.ProgressBar1.SetPosition(s);
        const QByteArray path = lines.Line(s);
        const TMeasuredFile file = measures.At(s, lines.Count(), path);
        const QString pathText = FileNameToText(path);
        view.Label3.setText(pathText);
        if (IsCandidate(path, file.size, trash) && seen.insert(file.identity).second) {
            const int row = candidates.AddRow();
            candidates.Cell(tables.Candidates.Path, row).SetAsString(pathText);
            candidates.Cell(tables.Candidates.Size, row).SetAsString(FloatToStr(file.size));
        }
        HandleMessages(view);
    }
}

void SortCandidates(const TSearchView& view, const TSearchTables& tables)
{
    view.DataGrid2.Columns().Items(tables.Candidates.Size).SetSorted(true);
}
