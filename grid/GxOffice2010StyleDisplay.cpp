#include "grid/GxOffice2010StyleDisplay.h"

#include "grid/GxOfficeSchemes.h"
#include "platform/Canvas.h"

namespace {

constexpr TColor kArrowFill = 0xB5ACA5;

} // namespace

void TOffice2010StyleDisplay::DrawSortArrow(int x, int y, bool ascending)
{
    TCanvas& canvas = Canvas();
    canvas.SetPenColor(clBlack);
    canvas.SetBrushColor(kArrowFill);
    if (ascending)
        canvas.Polygon({{x, y + 4}, {x + 4, y}, {x + 8, y + 4}});
    else
        canvas.Polygon({{x, y}, {x + 4, y + 4}, {x + 8, y}});
}

TColor TOffice2010StyleDisplay::GradientTop() const
{
    return OfficeSchemeColor(oeGradientTop);
}

TColor TOffice2010StyleDisplay::GradientBottom() const
{
    return OfficeSchemeColor(oeGradientBottom);
}
