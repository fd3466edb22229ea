#pragma once

#include "platform/Graphics.h"

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <vector>

// Layout flags of TCanvas::DrawText, as the classic text drawing call takes them.
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_EXTERNALLEADING = 0x200;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_RTLREADING = 0x20000;

// A drawing surface with the classic device-context semantics over a QPainter: pixel-exact,
// unantialiased drawing; a line leaves out its end point; rectangles exclude their right and
// bottom edges; the clip is a region that can be set, narrowed and reset; text is laid out by
// flags. Pen, brush and font colours are TColors, system colours resolved when drawn.
class TCanvas
{
public:
    // The area being painted (a paint event's region) bounds every clip; ResetClip returns to
    // the whole device, within that area.
    TCanvas(QPainter& painter, const QRegion& paintRegion);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    QPainter& Painter() { return m_painter; }

    TColor PenColor() const { return m_penColor; }
    void SetPenColor(TColor value) { m_penColor = value; }
    TColor BrushColor() const { return m_brushColor; }
    void SetBrushColor(TColor value) { m_brushColor = value; }
    const QFont& Font() const { return m_font; }
    void SetFont(const QFont& value);
    TColor FontColor() const { return m_fontColor; }
    void SetFontColor(TColor value) { m_fontColor = value; }

    void MoveTo(int x, int y) { m_penPos = QPoint(x, y); }
    // From the pen position to (x, y), the end point left out; the pen moves there.
    void LineTo(int x, int y);
    // Joined lines through the points; the last point itself is not drawn.
    void Polyline(const std::vector<QPoint>& points);
    // A filled polygon, outline in the pen colour, inside in the brush colour.
    void Polygon(const std::vector<QPoint>& points);
    void SetPixel(int x, int y, TColor color);
    void FillRect(const QRect& rect, TColor color);
    void FillRect(const QRect& rect) { FillRect(rect, m_brushColor); }
    // A one-pixel outline just inside the rectangle.
    void FrameRect(const QRect& rect, TColor color);
    // Lines of topLeft colour along the top and left edge, bottomRight along the bottom and
    // right edge, just inside the rectangle.
    void Frame3D(const QRect& rect, TColor topLeft, TColor bottomRight);
    // Inverts every pixel of the rectangle.
    void InvertRect(const QRect& rect);
    // The dotted focus frame, drawn by inverting every other pixel of the outline; drawing it
    // twice takes it away.
    void DrawFocusRect(const QRect& rect);

    // Draws (or with DT_CALCRECT only measures) the text in the rectangle with the canvas font
    // and font colour and a transparent background. Returns the text's height; with DT_CALCRECT
    // the rectangle becomes the text's bounds (its top-left kept).
    int DrawText(const QString& text, QRect& rect, unsigned flags);
    int DrawText(const QString& text, const QRect& rect, unsigned flags);
    int TextWidth(const QString& text) const;
    // The height of one line of the canvas font.
    int TextHeight() const;

    // The clip's bounding rectangle.
    QRect ClipBox() const;
    bool MeetsClip(const QRect& rect) const;
    void SetClipRect(const QRect& rect);
    void ExcludeClipRect(const QRect& rect);
    void ResetClip();

private:
    void ApplyClip();

    QPainter& m_painter;
    QRect m_deviceRect;
    QRegion m_paintRegion;
    QRegion m_clip;
    QPoint m_penPos;
    TColor m_penColor = clBlack;
    TColor m_brushColor = clWhite;
    TColor m_fontColor = clWindowText;
    QFont m_font;
};
