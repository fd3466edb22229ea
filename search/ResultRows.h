#pragma once

class TReferenceFolders;
struct TSearchTables;
struct TSearchView;

// Turns every row of the pair table DataGrid3 into a row of the results grid DataGrid1, with its
// thumbnails appended to ImageList1, its resolution, path, size text and date; the status lines
// name each file as it is made. Returns false when a stop request ended it before the last row:
// the rows made so far stay, and the run leaves without its ending. A row whose file lies in one
// of the reference folders is made with Ref "True" and Del unmarked.
bool MakeResultRows(const TSearchView& view, const TSearchTables& tables,
                    const TReferenceFolders& references);
