#pragma once

#include <vector>

struct TSearchTables;
struct TSearchView;

// Turns every row of the pair table DataGrid3 into a row of the results grid DataGrid1, with its
// thumbnails appended to ImageList1, its resolution, path, size text, date and group number
// (groups[s] for pair row s, written last, so that a row left half-made stays in group 0); the
// status lines name each file as it is made. Returns false when a stop request ended it before
// the last row: the rows made so far stay, and the run leaves without its ending.
bool MakeResultRows(const TSearchView& view, const TSearchTables& tables,
                    const std::vector<int>& groups);
