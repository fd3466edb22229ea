#pragma once

#include "search/TwinGroups.h"

#include <vector>

class TDataGrid;
struct TResultColumns;

// The results grid's rows as the keep-one rules see them, in row order; each date is read back
// from the Date column's text.
std::vector<TTwinRow> ReadTwinRows(TDataGrid& grid, const TResultColumns& columns);

// Gives each row its mark in one update block, so the grid repaints once; only the marks that
// differ are written.
void WriteMarks(TDataGrid& grid, const TResultColumns& columns, const std::vector<bool>& marks);

// Applies the rule to every row of the grid.
void ApplyKeepRule(TDataGrid& grid, const TResultColumns& columns, TKeepRule rule,
                   const QByteArray& folder = {});

// The row's group number.
int GroupOf(TDataGrid& grid, const TResultColumns& columns, int row);
