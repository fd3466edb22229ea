#pragma once

#include "grid/GxOffice2007StyleDisplay.h"

// Office 2010 headers: the 2007 headers with the scheme's 2010 gradient and a filled,
// outlined sort arrow.
class TOffice2010StyleDisplay : public TOffice2007StyleDisplay
{
public:
    using TOffice2007StyleDisplay::TOffice2007StyleDisplay;

    void DrawSortArrow(int x, int y, bool ascending) override;

protected:
    TColor GradientTop() const override;
    TColor GradientBottom() const override;
};
