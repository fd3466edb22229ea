#pragma once

#include <vector>

class TReferenceFolders;
struct TSearchTables;
struct TSearchView;

// Turns every row of the pair table DataGrid3 into a row of the results grid DataGrid1 with its
// resolution (from the pictures' headers), path, size text, date and group number (groups[s] for
// pair row s, written last, so that a row left half-made stays in group 0), and with empty places
// for its thumbnails in ImageList1; the status lines name each file as it is made. A row whose
// file lies in one of the reference folders is made with Ref "True" and Del unmarked. Then the
// thumbnails are decoded on all cores, the rows on screen first, and put into their places as
// they come, each with the resolution its decoding measured: the list, its indexes and the Res
// column end as if every row had been made with its thumbnails in turn.
//
// Returns false when a stop request ended it before the last row or the last thumbnail: the
// rows and pictures made so far stay, and the run leaves without its ending.
//
// However the making of the rows ends (every row made, a stop request, a failure), every group
// made so far keeps its oldest copy (or its reference copies) unmarked before the thumbnails
// come: the page never starts out saying that every copy goes.
bool MakeResultRows(const TSearchView& view, const TSearchTables& tables,
                    const std::vector<int>& groups, const TReferenceFolders& references);
