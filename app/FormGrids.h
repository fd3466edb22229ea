#pragma once

class TDataGrid;
class TImageList;

// The columns and settings of the main window's results grid, as its layout gives them (the
// search lays out its own two hidden tables).

// DataGrid1, the results grid, with the columns search/ResultColumns.h describes. New rows take
// the columns' default values.
void SetupResultsGrid(TDataGrid& grid, TImageList& images);
