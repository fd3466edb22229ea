#include "grid/GxOffice2010StyleDisplay.h"

#include "grid/GxOfficeSchemes.h"

namespace {

constexpr TColor kArrowFill = 0xB5ACA5;

} // namespace

void TOffice2010StyleDisplay::DrawSortArrow(int x, int y, bool ascending)
{
    DrawFilledArrow(x, y, ascending, clBlack, kArrowFill);
}

TColor TOffice2010StyleDisplay::GradientTop() const
{
    return OfficeSchemeColor(oeGradientTop);
}

TColor TOffice2010StyleDisplay::GradientBottom() const
{
    return OfficeSchemeColor(oeGradientBottom);
}
