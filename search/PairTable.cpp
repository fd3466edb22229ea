#include "search/PairTable.h"

#include "grid/GxGrid.h"
#include "platform/FileNames.h"
#include "platform/ProgressBar.h"
#include "search/ContentCompare.h"
#include "search/ContentOrder.h"
#include "search/ReferenceFolders.h"
#include "search/SearchTables.h"
#include "search/SearchView.h"

#include <QLabel>
#include <algorithm>

namespace {

TCandidateFile CandidateAt(TDataGrid& candidates, const TFileTableColumns& columns, int row)
{
    return TCandidateFile::FromSizeText(
        TextToFileName(candidates.Cell(columns.Path, row).AsString()),
        candidates.Cell(columns.Size, row).AsString());
}

std::vector<TCandidateFile> CandidateFiles(TDataGrid& candidates, const TFileTableColumns& columns)
{
    std::vector<TCandidateFile> files;
    files.reserve(size_t(candidates.RowCount()));
    for (int row = 0; row < candidates.RowCount(); ++row)
        files.push_back(CandidateAt(candidates, columns, row));
    return files;
}

void AddPairRow(const TSearchView& view, const TSearchTables& tables, int row)
{
    TDataGrid& pairs = view.DataGrid3;
    TDataGrid& candidates = view.DataGrid2;
    const int pairRow = pairs.AddRow();
    pairs.Cell(tables.Pairs.Path, pairRow)
        .SetAsString(candidates.Cell(tables.Candidates.Path, row).AsString());
    pairs.Cell(tables.Pairs.Size, pairRow)
        .SetAsString(candidates.Cell(tables.Candidates.Size, row).AsString());
}

// Reading the files that may have twins is most of a comparison on a cold disk: the bar and the
// status line follow it, rather than standing still.
void ShowReading(const TSearchView& view, const TReadCount& count)
{
    const int max = view.ProgressBar1.Max();
    view.ProgressBar1.SetPosition(
        int(int64_t(max) * int64_t(count.read) / int64_t(std::max<size_t>(count.toRead, 1))));
    if (count.lastFile)
        view.Label3.setText(FileNameToText(count.lastFile->path));
}

} // namespace

std::vector<TContentDigest> GroupIdenticalCandidates(const TSearchView& view,
                                                     const TSearchTables& tables)
{
    const auto onRead = [&view](TReadPoint point, const TReadCount& count) {
        ShowReading(view, count);
        if (point == TReadPoint::InsideFile)
            HandleMessagesInsideFile(view);
        else
            HandleMessages(view);
    };
    TContentOrder found = ContentOrder(CandidateFiles(view.DataGrid2, tables.Candidates), onRead);
    view.DataGrid2.ArrangeRows(found.Order);
    std::vector<TContentDigest> digests;
    digests.reserve(found.Order.size());
    for (int candidate : found.Order)
        digests.push_back(found.Digests[size_t(candidate)]);
    return digests;
}

void CompareCandidates(const TSearchView& view, const TSearchTables& tables,
                       const std::vector<TContentDigest>& digests, TFileSystem& files)
{
    TDataGrid& candidates = view.DataGrid2;
    const TFileTableColumns& columns = tables.Candidates;
    TContentComparer comparer([&view] { HandleMessagesInsideFile(view); }, files);
    // Different size texts mean different sizes, and different digests different bytes: such a
    // pair is not identical, and neither file needs opening. Rows the digests do not cover
    // (none given) are compared.
    const auto mayBeTwins = [&](int a, int b) {
        if (size_t(b) < digests.size() && digests[size_t(a)].Differs(digests[size_t(b)]))
            return false;
        return candidates.Cell(columns.Size, a).AsString() ==
               candidates.Cell(columns.Size, b).AsString();
    };
    // The row each next one is compared with: the last row read as unchanged. A file that
    // changed since it was measured is passed over, so it cannot part two twins around it.
    int previous = 0;
    for (int s = 0; s + 1 < candidates.RowCount(); ++s) {
        HandleMessages(view);
        view.ProgressBar1.SetPosition(s);
        view.Label3.setText(candidates.Cell(columns.Path, previous).AsString());
        const TComparison result =
            mayBeTwins(previous, s + 1)
                ? comparer.Compare(CandidateAt(candidates, columns, previous),
                                   CandidateAt(candidates, columns, s + 1))
                : TComparison::Different;
        if (result == TComparison::SecondChanged)
            continue;
        if (result == TComparison::Identical) {
            AddPairRow(view, tables, previous);
            AddPairRow(view, tables, s + 1);
        }
        previous = s + 1;
    }
}

// The table holds pairs, two rows each; a pair whose first file is the second of the pair before
// continues that chain, and its first row is the repeat.
std::vector<int> CleanUpPairs(TDataGrid& pairs, const TFileTableColumns& columns)
{
    std::vector<int> groups;
    groups.reserve(size_t(pairs.RowCount()));
    int group = 0;
    try {
        int row = 0;
        while (row + 1 < pairs.RowCount()) {
            if (row > 0 && pairs.Cell(columns.Path, row).AsString() ==
                               pairs.Cell(columns.Path, row - 1).AsString()) {
                pairs.DeleteRow(row);
                groups.push_back(group);
                ++row;
                continue;
            }
            groups.insert(groups.end(), 2, ++group);
            row += 2;
        }
    } catch (...) {
        // The rows stay as they are; the result rows are made from them.
    }
    while (int(groups.size()) < pairs.RowCount())
        groups.push_back(++group);
    return groups;
}

namespace {

struct TPairRow
{
    QString Path;
    QString Size;
};

// Whether every file of the chain of pairs from first up to end lies in a reference folder.
bool AllReference(const std::vector<TPairRow>& rows, size_t first, size_t end,
                  const TReferenceFolders& references)
{
    for (size_t row = first; row < end; ++row)
        if (!references.Contains(TextToFileName(rows[row].Path)))
            return false;
    return true;
}

} // namespace

void DropReferenceOnlyGroups(TDataGrid& pairs, const TFileTableColumns& columns,
                             const TReferenceFolders& references)
{
    if (references.Empty())
        return;
    std::vector<TPairRow> rows;
    rows.reserve(size_t(pairs.RowCount()));
    for (int row = 0; row < pairs.RowCount(); ++row)
        rows.push_back(
            {pairs.Cell(columns.Path, row).AsString(), pairs.Cell(columns.Size, row).AsString()});
    std::vector<TPairRow> kept;
    kept.reserve(rows.size());
    for (size_t first = 0; first < rows.size();) {
        // A chain goes on while the next pair starts with the file this one ended with.
        size_t end = std::min(first + 2, rows.size());
        while (end + 1 < rows.size() && rows[end].Path == rows[end - 1].Path)
            end += 2;
        if (!AllReference(rows, first, end, references))
            kept.insert(kept.end(), rows.begin() + qsizetype(first), rows.begin() + qsizetype(end));
        first = end;
    }
    if (kept.size() == rows.size())
        return;
    // Rebuilt in one pass: deleting rows one by one would cost the rows after each.
    pairs.BeginUpdate();
    pairs.ClearRows();
    for (const TPairRow& row : kept) {
        const int added = pairs.AddRow();
        pairs.Cell(columns.Path, added).SetAsString(row.Path);
        pairs.Cell(columns.Size, added).SetAsString(row.Size);
    }
    pairs.EndUpdate();
}
