#include "search/TwinRowReader.h"

#include "grid/GxGrid.h"
#include "platform/FileNames.h"
#include "search/ResultMarks.h"

TTwinRowReader::TTwinRowReader(TDataGrid& grid, const TResultColumns& columns)
    : m_grid(grid), m_columns(columns), m_references(grid, columns)
{}

TTwinRow TTwinRowReader::Read(int row) const
{
    TDateTime date = 0;
    m_dates.Read(m_grid.Cell(m_columns.Date, row).AsString(), date);
    return {GroupOf(m_grid, m_columns, row), date,
            TextToFileName(m_grid.Cell(m_columns.Dest, row).AsString()),
            m_grid.Cell(m_columns.Del, row).AsBoolean(), m_references.Contains(row)};
}
