#include "search/ResultMarks.h"

#include "grid/GxGrid.h"
#include "platform/FileNames.h"
#include "platform/SysUtils.h"
#include "search/ReferenceRows.h"
#include "search/ResultColumns.h"

int GroupOf(TDataGrid& grid, const TResultColumns& columns, int row)
{
    return int(grid.Cell(columns.Group, row).AsFloat());
}

std::vector<TTwinRow> ReadTwinRows(TDataGrid& grid, const TResultColumns& columns)
{
    const TReferenceRows references(grid, columns);
    std::vector<TTwinRow> rows;
    rows.reserve(size_t(grid.RowCount()));
    for (int row = 0; row < grid.RowCount(); ++row) {
        TDateTime date = 0;
        TryStrToDateTime(grid.Cell(columns.Date, row).AsString(), date);
        rows.push_back({GroupOf(grid, columns, row), date,
                        TextToFileName(grid.Cell(columns.Dest, row).AsString()),
                        grid.Cell(columns.Del, row).AsBoolean(), references.Contains(row)});
    }
    return rows;
}

void WriteMarks(TDataGrid& grid, const TResultColumns& columns, const std::vector<bool>& marks)
{
    grid.BeginUpdate();
    try {
        for (int row = 0; row < grid.RowCount() && row < int(marks.size()); ++row) {
            TCell& cell = grid.Cell(columns.Del, row);
            if (cell.AsBoolean() != marks[size_t(row)])
                cell.SetAsBoolean(marks[size_t(row)]);
        }
    } catch (...) {
        grid.EndUpdate();
        throw;
    }
    grid.EndUpdate();
}

void ApplyKeepRule(TDataGrid& grid, const TResultColumns& columns, TKeepRule rule,
                   const QByteArray& folder)
{
    WriteMarks(grid, columns, KeepRuleMarks(ReadTwinRows(grid, columns), rule, folder));
}
