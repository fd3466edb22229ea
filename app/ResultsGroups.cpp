#include "app/ResultsGroups.h"

#include "grid/GxCellCompare.h"
#include "grid/GxGrid.h"
#include "grid/shared/GxSharedCommon.h"
#include "search/ResultMarks.h"
#include "search/SizeText.h"
#include "search/TwinRowReader.h"

#include <QLabel>
#include <QScopeGuard>
#include <algorithm>
#include <memory>

namespace {

// Compares two rows by one column's values, read once so that a sort of many rows does not
// build each text again per comparison. Texts compare by code units, as the grid's own
// alphabetic sort; numbers, dates and marks by value; any other kind through the grid's cells.
std::function<int(int, int)> RowComparison(TDataGrid& grid, int col)
{
    const TSortType sortType = grid.Columns().Items(col).SortType();
    if (sortType == stAlphabetic) {
        auto texts = std::make_shared<std::vector<QString>>();
        for (int row = 0; row < grid.RowCount(); ++row)
            texts->push_back(grid.Cell(col, row).AsString());
        return [texts](int a, int b) {
            return QString::compare((*texts)[size_t(a)], (*texts)[size_t(b)]);
        };
    }
    if (sortType == stNumeric || sortType == stDate || sortType == stBoolean) {
        auto values = std::make_shared<std::vector<double>>();
        for (int row = 0; row < grid.RowCount(); ++row) {
            TCell& cell = grid.Cell(col, row);
            values->push_back(sortType == stBoolean ? double(cell.AsBoolean()) : cell.AsFloat());
        }
        return [values](int a, int b) {
            const double x = (*values)[size_t(a)], y = (*values)[size_t(b)];
            return x < y ? -1 : x > y ? 1 : 0;
        };
    }
    const TCellComparison compare = ComparisonFor(sortType, [&grid](TCell& a, TCell& b) {
        int result = 0;
        if (grid.OnCompare)
            grid.OnCompare(&grid, a, b, result);
        return result;
    });
    return [&grid, col, compare](int a, int b) {
        return compare(grid.Cell(col, a), grid.Cell(col, b));
    };
}

// The items in the order given: item i of the result is item order[i] of the input.
template <typename T> std::vector<T> Arranged(std::vector<T> items, const std::vector<int>& order)
{
    std::vector<T> arranged;
    arranged.reserve(items.size());
    for (int from : order)
        arranged.push_back(std::move(items[size_t(from)]));
    return arranged;
}

} // namespace

TResultsGroups::TResultsGroups(TDataGrid& grid, const TResultColumns& columns, QLabel& summary,
                               QLabel& warning)
    : m_grid(grid), m_columns(columns), m_summaryLabel(summary), m_warningLabel(warning)
{
    grid.OnChange = [this](QObject*, int ACol, int ARow) {
        if (ACol == m_columns.Del) {
            if (!m_suspended)
                MarkChanged(ARow);
            return;
        }
        if (ACol == m_columns.Group)
            m_bandsKnown = std::min(m_bandsKnown, ARow);
        for (const int read : {m_columns.Dest, m_columns.Size, m_columns.Date, m_columns.Group,
                               m_columns.Ref})
            m_stale = m_stale || ACol == read;
    };
    grid.OnDataChange = [this](QObject*, TDataChange change, int) {
        if (change == dcAddRow || change == dcInsertRow || change == dcDeleteRow)
            m_stale = true;
    };
    grid.OnCellColoring = [this](QObject*, int, int ARow, TColor& CellColor, TColor&,
                                 TCellState CellState) {
        if (ARow >= m_grid.RowCount() || CellState.contains(csSelected) ||
            CellState.contains(csEmpty))
            return;
        if (m_summary.IsWhole(GroupOf(m_grid, m_columns, ARow)))
            CellColor = WholeGroupColor();
        else if (const int band = Band(ARow))
            CellColor = BandColor(band);
    };
    grid.OnSortOrder = [this](QObject*, int ACol, bool Ascending, std::vector<int>& Order) {
        Order = SortOrder(ACol, Ascending);
    };
    grid.OnAfterSort = [this](QObject*, int) {
        m_bandsKnown = 0;
        if (m_arranged.size() == m_counted.size()) {
            m_counted = Arranged(std::move(m_counted), m_arranged);
            m_records = Arranged(std::move(m_records), m_arranged);
        }
        m_arranged.clear();
    };
    grid.OnAfterRowMove = [this](QObject*, int, int) {
        m_bandsKnown = 0;
        m_stale = true;
    };
    Refresh();
}

void TResultsGroups::Forget(bool suspended)
{
    m_suspended = suspended;
    m_summary.Clear();
    m_counted.clear();
    m_records.clear();
    m_stale = true;
    m_bandsKnown = 0;
}

void TResultsGroups::Suspend()
{
    Forget(true);
    ShowCounts();
}

void TResultsGroups::Refresh()
{
    Forget(false);
    const TTwinRowReader reader(m_grid, m_columns);
    m_counted.reserve(size_t(m_grid.RowCount()));
    m_records.reserve(size_t(m_grid.RowCount()));
    for (int row = 0; row < m_grid.RowCount(); ++row) {
        m_counted.push_back(reader.Read(row));
        m_records.push_back(&m_grid.CellStore().RowAt(row));
        m_summary.AddRow(m_counted.back().Group,
                         SizeTextBytes(m_grid.Cell(m_columns.Size, row).AsString()),
                         m_counted.back().Marked);
    }
    m_stale = false;
    ShowCounts();
}

void TResultsGroups::ApplyRule(TKeepRule rule, const QByteArray& folder)
{
    if (SaysEmpty())
        return;
    SetMarks(KeepRuleMarks(TwinRows(), rule, folder));
}

void TResultsGroups::SetMarks(const std::vector<bool>& marks)
{
    // The marks are counted below from the rows' records, not cell by cell as they are written.
    const bool suspended = m_suspended;
    m_suspended = true;
    {
        const auto following = qScopeGuard([&] { m_suspended = suspended; });
        WriteMarks(m_grid, m_columns, marks);
    }
    if (m_suspended)
        return;
    if (!RowsCurrent())
        return Refresh();
    for (int row = 0; row < m_grid.RowCount(); ++row) {
        TTwinRow& counted = m_counted[size_t(row)];
        if (const bool marked = m_grid.Cell(m_columns.Del, row).AsBoolean();
            marked != counted.Marked)
            CountMark(counted, marked);
    }
    ShowCounts();
}

bool TResultsGroups::SaysEmpty()
{
    if (m_grid.RowCount() > 0)
        return false;
    m_warningLabel.setText(QStringLiteral("There are no results to work on."));
    m_warningLabel.setVisible(true);
    return true;
}

int TResultsGroups::Band(int row)
{
    const int count = m_grid.RowCount();
    // Rows appended keep the bands above them; fewer rows mean rows went from anywhere.
    m_bandsKnown = std::min(m_bandsKnown, count < int(m_bands.size()) ? 0 : int(m_bands.size()));
    m_bands.resize(size_t(count));
    for (; m_bandsKnown <= row; ++m_bandsKnown) {
        const int r = m_bandsKnown;
        m_bands[size_t(r)] =
            r == 0 ? 0
                   : uint8_t(m_bands[size_t(r - 1)] ^
                             (GroupOf(m_grid, m_columns, r) != GroupOf(m_grid, m_columns, r - 1)));
    }
    return m_bands[size_t(row)];
}

TColor TResultsGroups::BandColor(int band)
{
    return band == 0 ? clWindow : MixColors(clHighlight, clWindow, 40);
}

TColor TResultsGroups::WholeGroupColor()
{
    return MixColors(RGB(230, 80, 0), clWindow, 72);
}

// A mark written one at a time (a click, a key): only its group's counts change. A row the
// counts do not know yet means the rows changed under them, so they are made anew.
void TResultsGroups::MarkChanged(int row)
{
    if (m_stale || m_records.size() != size_t(m_grid.RowCount()) ||
        m_records[size_t(row)] != &m_grid.CellStore().RowAt(row))
        return Refresh();
    TTwinRow& counted = m_counted[size_t(row)];
    const bool marked = m_grid.Cell(m_columns.Del, row).AsBoolean();
    if (counted.Marked == marked)
        return;
    CountMark(counted, marked);
    ShowCounts();
}

void TResultsGroups::CountMark(TTwinRow& counted, bool marked)
{
    counted.Marked = marked;
    const bool wasWhole = m_summary.IsWhole(counted.Group);
    m_summary.MarkChanged(counted.Group, marked);
    // The whole group's rows change colour, not only the clicked cell.
    if (m_summary.IsWhole(counted.Group) != wasWhole)
        m_grid.viewport()->update();
}

void TResultsGroups::ShowCounts()
{
    // Rows still being made are not counted: a count of none would read as a search that found
    // nothing.
    m_summaryLabel.setText(m_suspended ? QString() : m_summary.Text());
    m_warningLabel.setText(m_summary.WholeGroupsText());
    m_warningLabel.setVisible(m_summary.WholeGroups() > 0);
}

bool TResultsGroups::RowsCurrent()
{
    if (m_stale || m_records.size() != size_t(m_grid.RowCount()))
        return false;
    for (int row = 0; row < m_grid.RowCount(); ++row)
        if (m_records[size_t(row)] != &m_grid.CellStore().RowAt(row))
            return false;
    return true;
}

std::vector<TTwinRow> TResultsGroups::TwinRows()
{
    // Rows still being made are read as they stand.
    if (m_suspended)
        return ReadTwinRows(m_grid, m_columns);
    if (!RowsCurrent())
        Refresh();
    return m_counted;
}

std::vector<int> TResultsGroups::SortOrder(int col, bool ascending)
{
    m_arranged = GroupedOrder(TwinRows(), RowComparison(m_grid, col), ascending);
    return m_arranged;
}
