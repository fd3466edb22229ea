#pragma once

#include "platform/Graphics.h"

#include <QRect>

class TCanvas;
class TGxCustomColumn;
class TGxCustomGridControl;

// Whether a header-strip background stands beside the header (and input line) or the footer.
enum THeaderBackgroundKind { hbHeaderLike, hbFooterLike };

// DisplayFlags: repaint the hot header as the pointer moves; invert a pressed header; draw
// no sort arrow.
enum TDisplayFlag : unsigned { dfHotTracking = 1, dfInvertPressed = 2, dfNoSortArrow = 4 };

// How a header style draws the grid's header, footer, indicator and input line. The grid owns
// one display of each style and hands the current one its canvas before each use; each style
// overrides what it draws differently.
class TStyleDisplay
{
public:
    explicit TStyleDisplay(TGxCustomGridControl& grid);
    TStyleDisplay(const TStyleDisplay&) = delete;
    TStyleDisplay& operator=(const TStyleDisplay&) = delete;
    virtual ~TStyleDisplay() = default;

    TGxCustomGridControl& Grid() const { return m_grid; }
    TCanvas& Canvas() const { return *m_canvas; }
    void SetCanvas(TCanvas* value) { m_canvas = value; }
    bool Themed() const { return m_themed; }
    void SetThemed(bool value) { m_themed = value; }
    bool RightToLeft() const { return m_rightToLeft; }
    void SetRightToLeft(bool value) { m_rightToLeft = value; }
    bool DrawArrow() const { return m_drawArrow; }
    void SetDrawArrow(bool value) { m_drawArrow = value; }
    bool DrawBackgrounds() const { return m_drawBackgrounds; }
    void SetDrawBackgrounds(bool value) { m_drawBackgrounds = value; }

    virtual int HeaderMargin() const;
    virtual unsigned DisplayFlags() const;
    virtual void AdjustCaptionRect(const TGxCustomColumn& column, QRect& rect);
    virtual void DrawSortArrow(int x, int y, bool ascending);
    virtual void DrawFooterContent(TGxCustomColumn& column, const QRect& rect);
    virtual void DrawHeaderContent(TGxCustomColumn& column, const QRect& rect);
    virtual void DrawStripBackground(const QRect& rect);
    virtual void DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind kind);
    virtual void DrawFooter(TGxCustomColumn& column, const QRect& rect, bool gridLines);
    // The item background (when DrawBackgrounds) and then the content.
    virtual void DrawHeader(TGxCustomColumn& column, const QRect& rect);
    virtual void DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect);
    // The indicator cell of a row (-1 where no row stands).
    virtual void DrawIndicatorCell(const QRect& rect, int row);
    // The mark of the current row.
    virtual void DrawIndicatorMark(const QRect& rect);
    virtual void DrawInputCell(TGxCustomColumn& column, const QRect& rect, bool focused,
                               bool active, bool gridLines);
    // The header strip right of the last column.
    virtual void DrawHeaderEmptyArea(const QRect& rect);

protected:
    // A triangle 8 pixels wide and 4 high at (x, y), pointing up when ascending.
    void DrawFilledArrow(int x, int y, bool ascending, TColor outline, TColor fill);
    // The caption's width + 2 as the header content lays it out; 0 for image-only headers.
    int CaptionWidth(const TGxCustomColumn& column);

private:
    TGxCustomGridControl& m_grid;
    TCanvas* m_canvas = nullptr;
    bool m_themed = false;
    bool m_rightToLeft = false;
    bool m_drawArrow = true;
    bool m_drawBackgrounds = true;
};

// The style of HeaderStyle hsAuto: the application's style where themes are in use, else the
// classic raised header.
class TDefaultStyleDisplay : public TStyleDisplay
{
public:
    using TStyleDisplay::TStyleDisplay;

    unsigned DisplayFlags() const override;
    void DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind kind) override;
    void DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect) override;
    void DrawIndicatorCell(const QRect& rect, int row) override;
    void DrawHeaderEmptyArea(const QRect& rect) override;

    void DrawClassicHeaderItem(TGxCustomColumn& column, const QRect& rect);
    void DrawThemedHeaderItem(TGxCustomColumn& column, const QRect& rect);
};
