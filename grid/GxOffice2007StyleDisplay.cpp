#include "grid/GxOffice2007StyleDisplay.h"

#include "grid/GxColumnPlace.h"
#include "grid/GxColumns.h"
#include "grid/GxCustomGrid.h"
#include "grid/GxOfficeSchemes.h"
#include "grid/shared/GxSharedDraw.h"
#include "platform/Canvas.h"

void TOffice2007StyleDisplay::AdjustCaptionRect(const TGxCustomColumn&, QRect& rect)
{
    rect.setLeft(rect.left() + 2);
}

void TOffice2007StyleDisplay::DrawStripBackground(const QRect& rect)
{
    Canvas().FillRect(rect, OfficeSchemeColor(oeGradientEnd));
}

void TOffice2007StyleDisplay::DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind)
{
    TCanvas& canvas = Canvas();
    DrawVerticalGradient(canvas, rect, GradientTop(), GradientBottom());
    const TColor border = OfficeSchemeColor(oeBorder);
    canvas.FillRect(QRect(rect.right(), rect.top(), 1, rect.height()), border);
    canvas.FillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), border);
}

void TOffice2007StyleDisplay::DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect)
{
    TCanvas& canvas = Canvas();
    const bool pressed = Grid().PressedHeaderColumn() == column.Index();
    DrawVerticalGradient(canvas, rect, pressed ? GradientBottom() : GradientTop(),
                         pressed ? GradientTop() : GradientBottom());
    const int top = rect.top();
    const int right = rect.right() + 1;
    const int bottom = rect.bottom() + 1;
    canvas.SetPenColor(OfficeSchemeColor(oeSeparator));
    if (IsLastVisibleColumn(column)) {
        canvas.SetPenColor(OfficeSchemeColor(oeBorder));
        canvas.MoveTo(right - 1, top);
        canvas.LineTo(right - 1, bottom - 1);
    } else {
        canvas.MoveTo(right - 1, top + 2);
        canvas.LineTo(right - 1, bottom - 3);
    }
    canvas.FillRect(QRect(rect.left(), bottom - 1, rect.width(), 1), OfficeSchemeColor(oeBorder));
}

void TOffice2007StyleDisplay::DrawIndicatorCell(const QRect& rect, int)
{
    DrawHeaderBackground(rect, hbHeaderLike);
}

TColor TOffice2007StyleDisplay::GradientTop() const
{
    return clWhite;
}

TColor TOffice2007StyleDisplay::GradientBottom() const
{
    return OfficeSchemeColor(oeGradientEnd);
}
