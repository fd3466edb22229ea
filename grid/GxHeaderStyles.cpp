#include "grid/GxHeaderStyles.h"

#include "grid/GxFlatStyleDisplay.h"
#include "grid/GxOffice2010StyleDisplay.h"
#include "grid/GxOldStyleDisplay.h"
#include "grid/GxOutlookStyleDisplay.h"
#include "grid/GxVistaStyleDisplay.h"

std::unique_ptr<TStyleDisplay> CreateStyleDisplay(THeaderStyle style, TGxCustomGridControl& grid)
{
    switch (style) {
    case hsFlatBorders:
        return std::make_unique<TFlatStyleDisplay>(grid);
    case hsOffice2007:
        return std::make_unique<TOffice2007StyleDisplay>(grid);
    case hsOffice2010:
        return std::make_unique<TOffice2010StyleDisplay>(grid);
    case hsOldStyle:
        return std::make_unique<TOldStyleDisplay>(grid);
    case hsOutlook:
        return std::make_unique<TOutlookStyleDisplay>(grid);
    case hsVista:
        return std::make_unique<TVistaStyleDisplay>(grid);
    case hsAuto:
        break;
    }
    return std::make_unique<TDefaultStyleDisplay>(grid);
}

bool HasOfficeBorder(THeaderStyle style)
{
    return style == hsOffice2007 || style == hsOffice2010;
}
