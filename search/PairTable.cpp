#include "search/PairTable.h"

#include "grid/GxGrid.h"
#include "platform/FileNames.h"
#include "platform/ProgressBar.h"
#include "search/ContentCompare.h"
#include "search/ContentOrder.h"
#include "search/SearchView.h"

#include <QLabel>
#include <numeric>

namespace {

constexpr int kPathColumn = 0;
constexpr int kSizeColumn = 1;

std::vector<TCandidateFile> CandidateFiles(TDataGrid& candidates)
{
    std::vector<TCandidateFile> files;
    files.reserve(candidates.RowCount());
    for (int row = 0; row < candidates.RowCount(); ++row)
        files.push_back({TextToFileName(candidates.Cell(kPathColumn, row).AsString()),
                         candidates.Cell(kSizeColumn, row).AsString()});
    return files;
}

// Puts the rows into the given order (order[i] is the row that goes to place i) with one swap
// per misplaced row.
void ApplyOrder(TDataGrid& grid, const std::vector<int>& order)
{
    // Reading the files handles messages, and a new run started meanwhile replaces the table.
    if (grid.RowCount() != int(order.size()))
        return;
    std::vector<int> rowAt(order.size());
    std::iota(rowAt.begin(), rowAt.end(), 0);
    std::vector<int> placeOf = rowAt;
    grid.BeginUpdate();
    for (int place = 0; place < int(order.size()); ++place) {
        const int from = placeOf[order[place]];
        if (from == place)
            continue;
        grid.SwapRows(place, from);
        std::swap(rowAt[place], rowAt[from]);
        placeOf[rowAt[place]] = place;
        placeOf[rowAt[from]] = from;
    }
    grid.EndUpdate();
}

void AddPairRow(TDataGrid& pairs, TDataGrid& candidates, int row)
{
    const int pairRow = pairs.AddRow();
    pairs.Cell(kPathColumn, pairRow).SetAsString(candidates.Cell(kPathColumn, row).AsString());
    pairs.Cell(kSizeColumn, pairRow).SetAsString(candidates.Cell(kSizeColumn, row).AsString());
}

} // namespace

void GroupIdenticalCandidates(const TSearchView& view)
{
    const std::vector<int> order =
        ContentOrder(CandidateFiles(view.DataGrid2), [&view] { HandleMessages(view); });
    ApplyOrder(view.DataGrid2, order);
}

void CompareCandidates(const TSearchView& view)
{
    TDataGrid& candidates = view.DataGrid2;
    TContentComparer comparer;
    for (int s = 0; s + 1 < candidates.RowCount(); ++s) {
        HandleMessages(view);
        view.ProgressBar1.SetPosition(s);
        const QString first = candidates.Cell(kPathColumn, s).AsString();
        view.Label3.setText(first);
        // Different size texts mean different sizes: such a pair is not identical, and neither
        // file needs opening.
        if (candidates.Cell(kSizeColumn, s).AsString() !=
            candidates.Cell(kSizeColumn, s + 1).AsString())
            continue;
        const QString second = candidates.Cell(kPathColumn, s + 1).AsString();
        if (comparer.SameFileContent(TextToFileName(first), TextToFileName(second))) {
            AddPairRow(view.DataGrid3, candidates, s);
            AddPairRow(view.DataGrid3, candidates, s + 1);
        }
    }
}

void CleanUpPairs(TDataGrid& pairs)
{
    try {
        int limit = pairs.RowCount() - 2;
        const int count = pairs.RowCount() - 1;
        for (int j = 0; j < count; ++j) {
            if (j < limit && pairs.Cell(kPathColumn, j).AsString() ==
                                 pairs.Cell(kPathColumn, j + 1).AsString()) {
                pairs.DeleteRow(j);
                --limit;
            }
        }
    } catch (...) {
        // The rows stay as they are; the result rows are made from them.
    }
}
