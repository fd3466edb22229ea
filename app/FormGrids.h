#pragma once

class TDataGrid;
class TImageList;

// The columns and settings of the main window's three grids, as its layout gives them.

// DataGrid1, the results grid: row number, path, size, resolution, date, thumbnail, delete mark
// and the hidden group number. New rows take the columns' default values, so every new row is
// marked for removal.
void SetupResultsGrid(TDataGrid& grid, TImageList& images);
// DataGrid2, the hidden candidate table: dest2 (path) and size2 (size text).
void SetupCandidateGrid(TDataGrid& grid);
// DataGrid3, the hidden pair table: GxTextColumn1 (path) and GxTextColumn2 (size text).
void SetupPairGrid(TDataGrid& grid);
