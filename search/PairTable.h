#pragma once

class TDataGrid;
struct TSearchView;

// Brings identical files of one size next to each other in the sorted DataGrid2, so that the
// neighbour comparison meets every twin: within each run of three or more equal size texts the
// rows are ordered by content.
void GroupIdenticalCandidates(const TSearchView& view);

// Compares every two neighbouring rows of DataGrid2 byte by byte and writes each identical pair
// to DataGrid3 as two rows of path and size text, moving the progress bar and naming the first
// file of each pair in Label3.
void CompareCandidates(const TSearchView& view);

// Removes from the pair table the repeated rows that chains of identical neighbours leave, so
// that every file of a chain stays once, in candidate order. A failure ends only the clean-up.
void CleanUpPairs(TDataGrid& pairs);
