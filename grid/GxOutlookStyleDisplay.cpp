#include "grid/GxOutlookStyleDisplay.h"

#include "grid/GxColumnPlace.h"
#include "grid/GxColumns.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/Canvas.h"

namespace {

constexpr int kShadowHeight = 3;

// Three lines across the bottom, each darker than the one above it.
void DrawSoftShadow(TCanvas& canvas, const QRect& rect, TColor face)
{
    const int bottom = rect.bottom() + 1;
    int weight = 50;
    for (int y = bottom - kShadowHeight; y < bottom; ++y, weight += 50)
        canvas.FillRect(QRect(rect.left(), y, rect.width(), 1),
                        MixColors(clBtnShadow, face, weight));
}

void VerticalLine(TCanvas& canvas, int x, int fromY, int toY, TColor color)
{
    canvas.SetPenColor(color);
    canvas.MoveTo(x, fromY);
    canvas.LineTo(x, toY);
}

} // namespace

unsigned TOutlookStyleDisplay::DisplayFlags() const
{
    return dfInvertPressed;
}

void TOutlookStyleDisplay::AdjustCaptionRect(const TGxCustomColumn&, QRect& rect)
{
    rect.setBottom(rect.bottom() - kShadowHeight);
}

void TOutlookStyleDisplay::DrawStripBackground(const QRect& rect)
{
    Canvas().FillRect(rect, clBtnFace);
    Canvas().Frame3D(rect, clBtnHighlight, clBtnShadow);
}

void TOutlookStyleDisplay::DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind)
{
    TCanvas& canvas = Canvas();
    const int right = rect.right() + 1;
    const int bottom = rect.bottom() + 1;
    canvas.FillRect(rect.adjusted(0, 0, 0, -kShadowHeight), clBtnFace);
    VerticalLine(canvas, right - 1, rect.top(), bottom - kShadowHeight, clBtnShadow);
    DrawSoftShadow(canvas, rect, clBtnFace);
}

void TOutlookStyleDisplay::DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect)
{
    TCanvas& canvas = Canvas();
    const TColor face = column.Header().Color();
    const int top = rect.top();
    const int right = rect.right() + 1;
    const int bottom = rect.bottom() + 1;
    canvas.FillRect(rect.adjusted(0, 0, 0, -kShadowHeight), face);
    if (IsFirstVisibleColumn(column))
        VerticalLine(canvas, rect.left(), top, bottom - 3, clBtnHighlight);
    else
        VerticalLine(canvas, rect.left(), top + 2, bottom - 4, clBtnHighlight);
    if (IsLastVisibleColumn(column))
        VerticalLine(canvas, right - 1, top, bottom - 1, clBtnShadow);
    else
        VerticalLine(canvas, right - 1, top + 2, bottom - 4, clBtnShadow);
    DrawSoftShadow(canvas, rect, face);
}
