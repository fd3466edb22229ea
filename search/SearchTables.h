#pragma once

#include "search/ResultColumns.h"

class TDataGrid;
struct TSearchView;

// The tables a search works on, as the search knows them: which column holds what. The columns
// are found by name once per run, so a grid that lacks one fails at the start of the run with
// the grid's "Invalid Columnname" error instead of at the first cell.

// A working table: the full path of a file and its size as text.
struct TFileTableColumns
{
    int Path;
    int Size;
};

struct TSearchTables
{
    // DataGrid2: dest2 and size2.
    TFileTableColumns Candidates;
    // DataGrid3: GxTextColumn1 and GxTextColumn2.
    TFileTableColumns Pairs;
    // DataGrid1, the results grid.
    TResultColumns Results;

    // Looks every column up in the view's grids; raises the grid's error for a missing one.
    static TSearchTables Resolve(const TSearchView& view);
};

// Gives the hidden candidate table its two text columns, dest2 (path) and size2 (size text),
// both sorted alphabetically, so that sorting by size2 brings equal sizes together.
void SetupCandidateTable(TDataGrid& grid);
// Gives the hidden pair table its two text columns, GxTextColumn1 (path) and GxTextColumn2
// (size text).
void SetupPairTable(TDataGrid& grid);
