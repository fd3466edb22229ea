#pragma once

#include "platform/FileSystem.h"
#include "search/ContentOrder.h"

#include <vector>

class TDataGrid;
class TReferenceFolders;
struct TFileTableColumns;
struct TSearchTables;
struct TSearchView;

// Brings identical files of one size next to each other in the sorted DataGrid2, so that the
// neighbour comparison meets every twin: within each run of three or more equal size texts the
// rows are ordered by content. Messages are handled while files are read, at least every few
// milliseconds, and after every 64 MiB inside one; a stop request seen inside a file raises
// ESearchStopped. Returns what the ordering learnt of each row's bytes, in the new row order.
std::vector<TContentDigest> GroupIdenticalCandidates(const TSearchView& view,
                                                     const TSearchTables& tables);

// Compares every two neighbouring rows of DataGrid2 byte by byte and writes each identical pair
// to DataGrid3 as two rows of path and size text, moving the progress bar and naming the first
// file of each pair in Label3. A file that changed since it was measured is left out and its
// neighbours are compared with each other. Messages are handled before each pair and after every
// 64 MiB of one; a stop request seen inside a file raises ESearchStopped. Two rows whose digests
// (from GroupIdenticalCandidates, one per row) prove them different are not opened. The files
// are opened through files.
void CompareCandidates(const TSearchView& view, const TSearchTables& tables,
                       const std::vector<TContentDigest>& digests = {},
                       TFileSystem& files = HostFileSystem());

// Removes from the pair table the repeated rows that chains of identical neighbours leave, so
// that every file of a chain stays once, in candidate order. Returns the group number of each row
// left: the files of one chain are one group, numbered 1, 2, ... in row order. A failure ends
// only the clean-up; the rows it did not reach each count as a group of their own, so none of
// them is taken for another's copy.
std::vector<int> CleanUpPairs(TDataGrid& pairs, const TFileTableColumns& columns);

// Removes from the pair table, before its clean-up, every group of identical files that lie all
// in reference folders: nothing in it may be removed, so it is no result. A group is a chain of
// pairs, each starting with the file the one before ended with.
void DropReferenceOnlyGroups(TDataGrid& pairs, const TFileTableColumns& columns,
                             const TReferenceFolders& references);
