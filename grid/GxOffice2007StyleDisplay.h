#pragma once

#include "grid/GxStyleDisplays.h"

// Office 2007 headers in the current Office colour scheme: a vertical gradient, reversed while
// the header is pressed, with the scheme's border and separator lines.
class TOffice2007StyleDisplay : public TStyleDisplay
{
public:
    using TStyleDisplay::TStyleDisplay;

    void AdjustCaptionRect(const TGxCustomColumn& column, QRect& rect) override;
    void DrawStripBackground(const QRect& rect) override;
    void DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind kind) override;
    void DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect) override;
    void DrawIndicatorCell(const QRect& rect, int row) override;

protected:
    // The gradient's two ends, top first.
    virtual TColor GradientTop() const;
    virtual TColor GradientBottom() const;
};
