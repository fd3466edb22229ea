#pragma once

#include "platform/Graphics.h"
#include "search/ResultColumns.h"
#include "search/TwinGroups.h"
#include "search/TwinSummary.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

class QLabel;
class TDataGrid;
class TRow;

// The twin groups of the results grid as the results page shows them: a header click keeps each
// group's rows together, alternate groups have alternate backgrounds, the summary and the line
// about groups marked whole follow every mark, and the keep-one rules act on all rows at once.
// It takes over the grid's OnChange, OnDataChange, OnCellColoring, OnSortOrder, OnAfterSort and
// OnAfterRowMove.
class TResultsGroups
{
public:
    TResultsGroups(TDataGrid& grid, const TResultColumns& columns, QLabel& summary,
                   QLabel& warning);

    // The rows changed as a whole (a search, a rule, a mark button): everything counted anew.
    void Refresh();
    // Rows are being made (a search): marks are not followed one by one until the next Refresh.
    void Suspend();
    // Applies the rule to every row in one repaint; folder is the folder rules' folder. On an
    // empty grid nothing happens but the line saying so.
    void ApplyRule(TKeepRule rule, const QByteArray& folder = {});
    // Gives each row its mark, index for index, in one repaint, and brings the counts up to
    // date with the marks that changed.
    void SetMarks(const std::vector<bool>& marks);
    // Whether the grid has no rows; if so, the warning line says that there is nothing to work
    // on.
    bool SaysEmpty();

    // The row's background band: 0 for the first group from the top, then 1, 0, ... per group.
    int Band(int row);
    // The background of a band: the window's colour, or a light tint of the highlight colour.
    static TColor BandColor(int band);
    // The background of the rows of a group marked whole.
    static TColor WholeGroupColor();

    const TTwinSummary& Summary() const { return m_summary; }

private:
    // Drops every count and band; suspended says whether marks are then followed one by one.
    void Forget(bool suspended);
    void MarkChanged(int row);
    // Counts a mark the counts knew as the other one.
    void CountMark(TTwinRow& counted, bool marked);
    void ShowCounts();
    // Whether the rows read at the last Refresh are still the grid's rows, in its order.
    bool RowsCurrent();
    // Every row as the rules see it, in row order, from what was read of it at the last Refresh.
    std::vector<TTwinRow> TwinRows();
    std::vector<int> SortOrder(int col, bool ascending);

    TDataGrid& m_grid;
    TResultColumns m_columns;
    QLabel& m_summaryLabel;
    QLabel& m_warningLabel;
    TTwinSummary m_summary;
    // Each row as read at the last Refresh, with its mark as counted, in row order, and the
    // row's record beside it to tell that it is still that row. A grouped sort arranges them as
    // it arranges the grid; rows made, deleted, moved or rewritten since make them stale, and the
    // next use reads every row again.
    std::vector<TTwinRow> m_counted;
    std::vector<const TRow*> m_records;
    bool m_stale = true;
    // The order the last grouped sort gave the grid, until the grid has taken it.
    std::vector<int> m_arranged;
    // Band per row, known for the rows before m_bandsKnown; rows made or changed later move it
    // back, so a search that appends rows never walks the rows before them again.
    std::vector<uint8_t> m_bands;
    int m_bandsKnown = 0;
    bool m_suspended = false;
};
