#pragma once

#include "grid/GxStyleDisplays.h"

// Light headers; a sorted column shows a light-blue band and a small arrow at the top of its
// header instead of an arrow after the caption.
class TVistaStyleDisplay : public TStyleDisplay
{
public:
    using TStyleDisplay::TStyleDisplay;

    unsigned DisplayFlags() const override;
    void AdjustCaptionRect(const TGxCustomColumn& column, QRect& rect) override;
    void DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect) override;
    void DrawIndicatorCell(const QRect& rect, int row) override;

private:
    void DrawItem(const QRect& rect, bool sorted, bool ascending);
};
