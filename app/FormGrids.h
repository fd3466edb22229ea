#pragma once

class TDataGrid;
class TImageList;

// The columns and settings of the main window's results grid, as its layout gives them (the
// search lays out its own two hidden tables).

// DataGrid1, the results grid: row number, path, size, resolution, date, thumbnail, delete mark
// and the hidden group number. New rows take the columns' default values, so every new row is
// marked for removal.
void SetupResultsGrid(TDataGrid& grid, TImageList& images);
