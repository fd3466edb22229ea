#pragma once

#include <QByteArray>

class TTrashFolders;
struct TSearchTables;
struct TSearchView;

// Whether a found file takes part in the comparison: larger than 100 bytes, and neither under a
// folder named RECYCLER (exact case) nor in the desktop's trash, whose files are already removed.
bool IsCandidate(const QByteArray& path, double size, const TTrashFolders& trash);

// Measures every file of Memo1 and writes the candidates to DataGrid2 as path and size text,
// moving the progress bar and naming each file in Label3. A file reached again by another path
// (the same device and inode) is left out.
void BuildCandidateList(const TSearchView& view, const TSearchTables& tables);

// Sorts DataGrid2 by its size text, so that files of one size become neighbours.
void SortCandidates(const TSearchView& view, const TSearchTables& tables);
