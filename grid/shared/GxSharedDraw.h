#pragma once

#include "grid/shared/GxSharedCommon.h"
#include "platform/Graphics.h"

#include <QPoint>
#include <QRect>

class TCanvas;

// The top-left corner of a width × height box placed in rect: at left + margin, at
// right − width − margin, or centred at (left + right) div 2 − width div 2, and likewise from the
// top and bottom. The margin does not apply to centring. Right and bottom are the edges just
// outside rect (x + width, y + height), as the classic toolkit counts them.
QPoint PlaceBox(int width, int height, TVerticalAlignment vertical, TAlignment horizontal,
                const QRect& rect, int margin);

// Fills rect row by row, from top in `top` to the last row in nearly `bottom`: row y takes
// BlendColors(top, bottom, (y - rect's top) / rect's height).
void DrawVerticalGradient(TCanvas& canvas, const QRect& rect, TColor top, TColor bottom);
