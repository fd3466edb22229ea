#include "grid/shared/GxSharedDraw.h"

#include "platform/Canvas.h"

namespace {

// One axis: near edge, far edge, or centred. The halves truncate toward zero, also left of or
// above the origin.
int Place(int size, int low, int high, int margin, bool atLow, bool atHigh)
{
    if (atLow)
        return low + margin;
    if (atHigh)
        return high - size - margin;
    return (low + high) / 2 - size / 2;
}

} // namespace

QPoint PlaceBox(int width, int height, TVerticalAlignment vertical, TAlignment horizontal,
                const QRect& rect, int margin)
{
    return QPoint(Place(width, rect.x(), rect.x() + rect.width(), margin,
                        horizontal == taLeftJustify, horizontal == taRightJustify),
                  Place(height, rect.y(), rect.y() + rect.height(), margin, vertical == taAlignTop,
                        vertical == taAlignBottom));
}

void DrawVerticalGradient(TCanvas& canvas, const QRect& rect, TColor top, TColor bottom)
{
    const double height = rect.height();
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        canvas.FillRect(QRect(rect.left(), y, rect.width(), 1),
                        BlendColors(top, bottom, (y - rect.top()) / height));
}
