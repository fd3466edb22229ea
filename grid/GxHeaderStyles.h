#pragma once

#include "grid/GxCustomGrid.h"

#include <memory>

class TStyleDisplay;

// The style display that draws a HeaderStyle, for the grid.
std::unique_ptr<TStyleDisplay> CreateStyleDisplay(THeaderStyle style, TGxCustomGridControl& grid);

// Whether the style draws the grid's single border as a one-pixel line in the current Office
// scheme's border colour.
bool HasOfficeBorder(THeaderStyle style);
