#pragma once

#include "grid/shared/GxSharedCommon.h"

// The small enumerations of the classic controls that both the edit controls and the grid use;
// the alignments come with the shared drawing helpers.

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TBorderStyle { bsNone, bsSingle };
