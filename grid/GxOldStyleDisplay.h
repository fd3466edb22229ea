#pragma once

#include "grid/GxStyleDisplays.h"

// The old raised boxes with a dark outer frame; a pressed header is inverted.
class TOldStyleDisplay : public TStyleDisplay
{
public:
    using TStyleDisplay::TStyleDisplay;

    unsigned DisplayFlags() const override;
    void DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind kind) override;
    void DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect) override;
    void DrawIndicatorCell(const QRect& rect, int row) override;
};
