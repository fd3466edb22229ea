#include "grid/GxOldStyleDisplay.h"

#include "platform/Canvas.h"

namespace {

void DrawOldBox(TCanvas& canvas, const QRect& rect)
{
    canvas.FillRect(rect.adjusted(1, 1, -1, -1), clBtnFace);
    canvas.Frame3D(rect, clBtnHighlight, clWindowFrame);
}

} // namespace

unsigned TOldStyleDisplay::DisplayFlags() const
{
    return dfInvertPressed;
}

void TOldStyleDisplay::DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind)
{
    DrawOldBox(Canvas(), rect);
}

void TOldStyleDisplay::DrawHeaderItemBackground(TGxCustomColumn&, const QRect& rect)
{
    DrawOldBox(Canvas(), rect);
}

void TOldStyleDisplay::DrawIndicatorCell(const QRect& rect, int)
{
    DrawOldBox(Canvas(), rect);
}
