#include "grid/GxFlatStyleDisplay.h"

#include "grid/GxColumns.h"
#include "platform/Canvas.h"

namespace {

void DrawFlatBox(TCanvas& canvas, const QRect& rect, TColor face)
{
    const int right = rect.right() + 1;
    const int bottom = rect.bottom() + 1;
    canvas.FillRect(rect, face);
    canvas.SetPenColor(clGrayText);
    canvas.MoveTo(right - 1, rect.top());
    canvas.LineTo(right - 1, bottom - 1);
    canvas.LineTo(rect.left() - 1, bottom - 1);
}

} // namespace

void TFlatStyleDisplay::DrawStripBackground(const QRect& rect)
{
    Canvas().FillRect(rect, clBtnFace);
}

void TFlatStyleDisplay::DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind)
{
    DrawFlatBox(Canvas(), rect, clBtnFace);
}

void TFlatStyleDisplay::DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect)
{
    DrawFlatBox(Canvas(), rect, column.Header().Color());
}

void TFlatStyleDisplay::DrawIndicatorCell(const QRect& rect, int)
{
    DrawFlatBox(Canvas(), rect, clBtnFace);
}
