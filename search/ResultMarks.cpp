#include "search/ResultMarks.h"

#include "grid/GxGrid.h"
#include "search/ResultColumns.h"
#include "search/TwinRowReader.h"

int GroupOf(TDataGrid& grid, const TResultColumns& columns, int row)
{
    return int(grid.Cell(columns.Group, row).AsFloat());
}

std::vector<TTwinRow> ReadTwinRows(TDataGrid& grid, const TResultColumns& columns)
{
    const TTwinRowReader reader(grid, columns);
    std::vector<TTwinRow> rows;
    rows.reserve(size_t(grid.RowCount()));
    for (int row = 0; row < grid.RowCount(); ++row)
        rows.push_back(reader.Read(row));
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
