#include "search/SearchTables.h"

#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "search/SearchView.h"

namespace {

int Index(const TDataGrid& grid, const char* name)
{
    return grid.NamedColumn(QLatin1String(name)).Index();
}

TFileTableColumns FileTableColumns(const TDataGrid& grid, const char* path, const char* size)
{
    return {Index(grid, path), Index(grid, size)};
}

// A path 221 pixels wide and a size text, as the window's layout has them.
void SetupFileTable(TDataGrid& grid, const char* gridName, const char* pathColumn,
                    const char* sizeColumn)
{
    grid.setObjectName(QLatin1String(gridName));
    for (const auto& [name, width] : {std::pair{pathColumn, 221}, std::pair{sizeColumn, 80}}) {
        TGxTextColumn& column = grid.Columns().Add<TGxTextColumn>(QLatin1String(name));
        column.SetWidth(width);
        column.SetDefaultWidth(width);
    }
}

} // namespace

TSearchTables TSearchTables::Resolve(const TSearchView& view)
{
    return {FileTableColumns(view.DataGrid2, "dest2", "size2"),
            FileTableColumns(view.DataGrid3, "GxTextColumn1", "GxTextColumn2"),
            TResultColumns::Resolve(view.DataGrid1)};
}

void SetupCandidateTable(TDataGrid& grid)
{
    SetupFileTable(grid, "DataGrid2", "dest2", "size2");
}

void SetupPairTable(TDataGrid& grid)
{
    SetupFileTable(grid, "DataGrid3", "GxTextColumn1", "GxTextColumn2");
}
