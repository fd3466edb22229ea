#pragma once

// The small enumerations of the classic controls that both the edit controls and the grid use.

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

enum TBorderStyle { bsNone, bsSingle };
