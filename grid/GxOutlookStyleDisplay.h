#pragma once

#include "grid/GxStyleDisplays.h"

// Headers that darken into a soft three-pixel shadow at the bottom; a pressed header is
// inverted.
class TOutlookStyleDisplay : public TStyleDisplay
{
public:
    using TStyleDisplay::TStyleDisplay;

    unsigned DisplayFlags() const override;
    void AdjustCaptionRect(const TGxCustomColumn& column, QRect& rect) override;
    void DrawStripBackground(const QRect& rect) override;
    void DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind kind) override;
    void DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect) override;
};
