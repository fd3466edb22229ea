#include "grid/GxVistaStyleDisplay.h"

#include "grid/GxColumns.h"
#include "grid/shared/GxSharedDraw.h"
#include "platform/Canvas.h"

namespace {

constexpr TColor kUnsortedFace = RGB(240, 240, 240);
constexpr TColor kSortedBand = RGB(175, 220, 240);
constexpr int kBandHeight = 6;

// A triangle 6 pixels wide and 3 high whose top-left corner is at (x, y).
void DrawTopArrow(TCanvas& canvas, int x, int y, bool up, TColor color)
{
    for (int row = 0; row < 3; ++row) {
        const int inset = up ? 2 - row : row;
        canvas.FillRect(QRect(x + inset, y + row, 6 - 2 * inset, 1), color);
    }
}

} // namespace

unsigned TVistaStyleDisplay::DisplayFlags() const
{
    return dfNoSortArrow;
}

void TVistaStyleDisplay::AdjustCaptionRect(const TGxCustomColumn&, QRect& rect)
{
    rect.setLeft(rect.left() + 2);
}

void TVistaStyleDisplay::DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect)
{
    DrawItem(rect, column.Sorted(), column.SortKind() == skAscending);
}

void TVistaStyleDisplay::DrawIndicatorCell(const QRect& rect, int)
{
    DrawItem(rect, false, false);
}

void TVistaStyleDisplay::DrawItem(const QRect& rect, bool sorted, bool ascending)
{
    TCanvas& canvas = Canvas();
    canvas.FillRect(QRect(rect.left(), rect.top(), 1, rect.height()), clWhite);
    canvas.FillRect(QRect(rect.right(), rect.top(), 1, rect.height()), clBtnFace);
    const QRect inside = rect.adjusted(1, 0, -1, 0);
    if (!sorted) {
        canvas.FillRect(inside, kUnsortedFace);
        return;
    }
    const QRect band(inside.left(), inside.top(), inside.width(), kBandHeight);
    DrawVerticalGradient(canvas, band, kSortedBand, clWhite);
    canvas.FillRect(inside.adjusted(0, kBandHeight, 0, 0), clWhite);
    const int centre = rect.left() + rect.width() / 2;
    DrawTopArrow(canvas, centre - 3, rect.top(), ascending, clWhite);
}
