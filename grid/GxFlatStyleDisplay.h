#pragma once

#include "grid/GxStyleDisplays.h"

// Flat headers: a grey line down the right and along the bottom of each item.
class TFlatStyleDisplay : public TStyleDisplay
{
public:
    using TStyleDisplay::TStyleDisplay;

    void DrawStripBackground(const QRect& rect) override;
    void DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind kind) override;
    void DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect) override;
    void DrawIndicatorCell(const QRect& rect, int row) override;
};
