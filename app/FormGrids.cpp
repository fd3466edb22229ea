#include "app/FormGrids.h"

#include "grid/GxGrid.h"
#include "search/ResultColumns.h"

void SetupResultsGrid(TDataGrid& grid, TImageList& images)
{
    grid.setObjectName(QStringLiteral("DataGrid1"));
    grid.SetOptions({goGrid, goHeader, goSelectFullRow, goUseDefaultValues});
    grid.SetRowSize(81);
    AddResultColumns(grid, images);
}
