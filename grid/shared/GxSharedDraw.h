#pragma once

#include "grid/shared/GxSharedCommon.h"

#include <QPoint>
#include <QRect>

// The top-left corner of a width × height box placed in rect: at left + margin, at
// right − width − margin, or centred at (left + right) div 2 − width div 2, and likewise from the
// top and bottom. The margin does not apply to centring. Right and bottom are the edges just
// outside rect (x + width, y + height), as the classic toolkit counts them.
QPoint PlaceBox(int width, int height, TVerticalAlignment vertical, TAlignment horizontal,
                const QRect& rect, int margin);
