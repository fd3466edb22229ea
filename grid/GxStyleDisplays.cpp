#include "grid/GxStyleDisplays.h"

#include "grid/GxColumnPlace.h"
#include "grid/GxColumns.h"
#include "grid/GxCustomGrid.h"
#include "grid/GxFormatFloat.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/Canvas.h"

#include <QPainter>

namespace {

constexpr int kSortedCaptionShift = 31;
constexpr int kArrowGap = 19;

} // namespace

TStyleDisplay::TStyleDisplay(TGxCustomGridControl& grid) : m_grid(grid) {}

int TStyleDisplay::HeaderMargin() const
{
    return 2;
}

unsigned TStyleDisplay::DisplayFlags() const
{
    return 0;
}

void TStyleDisplay::AdjustCaptionRect(const TGxCustomColumn&, QRect&) {}

void TStyleDisplay::DrawSortArrow(int x, int y, bool ascending)
{
    TCanvas& canvas = Canvas();
    if (m_themed) {
        DrawFilledArrow(x, y, ascending, clGrayText, clGrayText);
        return;
    }
    // Engraved: the side facing the light is dark, the other light.
    if (ascending) {
        canvas.SetPenColor(clBtnShadow);
        canvas.Polyline({{x + 4, y}, {x, y + 7}});
        canvas.SetPenColor(clBtnHighlight);
        canvas.Polyline({{x + 4, y}, {x + 8, y + 7}, {x - 1, y + 7}});
    } else {
        canvas.SetPenColor(clBtnShadow);
        canvas.Polyline({{x + 8, y}, {x, y}, {x + 4, y + 7}});
        canvas.SetPenColor(clBtnHighlight);
        canvas.Polyline({{x + 4, y + 7}, {x + 9, y - 1}});
    }
}

void TStyleDisplay::DrawFilledArrow(int x, int y, bool ascending, TColor outline, TColor fill)
{
    Canvas().SetPenColor(outline);
    Canvas().SetBrushColor(fill);
    if (ascending)
        Canvas().Polygon({{x, y + 4}, {x + 4, y}, {x + 8, y + 4}});
    else
        Canvas().Polygon({{x, y}, {x + 4, y + 4}, {x + 8, y}});
}

void TStyleDisplay::DrawFooterContent(TGxCustomColumn& column, const QRect& rect)
{
    const TColumnFooter& footer = column.Footer();
    QString caption = footer.Caption();
    if (!footer.FormatMask().isEmpty() && footer.FormatMaskKind() == mkFloat) {
        double number = 0;
        if (!TryStrToFloat(caption, number))
            number = 0;
        caption = FormatFloat(footer.FormatMask(), number);
    }
    const QString text = footer.TextBefore() + caption + footer.TextAfter();
    TCanvas& canvas = Canvas();
    const int width = canvas.TextWidth(text);
    const QImage& glyph = footer.Glyph();
    const bool withGlyph = !glyph.isNull() && footer.DisplayMode() != dmTextOnly;
    const int glyphWidth = withGlyph ? glyph.width() + 2 : 0;
    int x = rect.left() + 2;
    if (footer.Alignment() == taRightJustify)
        x = rect.right() + 1 - width - glyphWidth - column.Padding() -
            (column.Sorted() ? kSortedCaptionShift : 0);
    else if (footer.Alignment() == taCenter)
        x = rect.left() + (rect.width() - width - glyphWidth) / 2;
    x = std::max(x, rect.left());
    if (withGlyph) {
        const int glyphX = footer.Alignment() == taLeftJustify ? rect.left() + 3 : x;
        canvas.Painter().drawImage(glyphX, rect.top() + (rect.height() - glyph.height()) / 2,
                                   glyph);
        x = glyphX + glyphWidth;
    }
    if (footer.DisplayMode() == dmImageOnly)
        return;
    canvas.SetFontColor(clWindowText);
    canvas.DrawText(text, QRect(QPoint(x, rect.top()), rect.bottomRight()),
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

int TStyleDisplay::CaptionWidth(const TGxCustomColumn& column)
{
    const TColumnHeader& header = column.Header();
    if (header.DisplayMode() == dmImageOnly)
        return 0;
    if (!header.MultiLine())
        return Canvas().TextWidth(header.Caption()) + 2;
    QRect bounds(0, 0, 1 << 20, 0);
    Canvas().DrawText(header.Caption(), bounds, DT_CALCRECT | DT_NOPREFIX);
    return bounds.width() + 2;
}

void TStyleDisplay::DrawHeaderContent(TGxCustomColumn& column, const QRect& rect)
{
    const TColumnHeader& header = column.Header();
    const int width = CaptionWidth(column);
    const int sortedShift = column.Sorted() ? kSortedCaptionShift : 0;
    const QImage& glyph = header.Glyph();
    const bool withGlyph = !glyph.isNull() && header.DisplayMode() != dmTextOnly;
    const int glyphWidth = withGlyph ? glyph.width() + 2 : 0;
    int x = rect.left() + 2;
    if (header.Alignment() == taRightJustify)
        x = rect.right() + 1 - width - glyphWidth - sortedShift;
    else if (header.Alignment() == taCenter && width + glyphWidth <= rect.width())
        x = rect.left() + (rect.width() - width - glyphWidth) / 2;
    if (withGlyph) {
        const int glyphX = header.Alignment() == taLeftJustify ? rect.left() + 3 : x;
        const int glyphY = rect.top() + (rect.height() - glyph.height()) / 2;
        Canvas().Painter().drawImage(glyphX, glyphY, glyph);
        x = glyphX + glyphWidth;
    }
    if (header.DisplayMode() != dmImageOnly) {
        QRect text(QPoint(x, rect.top()), QPoint(rect.right(), rect.bottom()));
        AdjustCaptionRect(column, text);
        unsigned flags = DT_END_ELLIPSIS | DT_NOPREFIX | DT_EXTERNALLEADING | DT_VCENTER;
        flags |= header.MultiLine() ? DT_WORDBREAK : DT_SINGLELINE;
        flags |= m_rightToLeft ? DT_RTLREADING : 0;
        Canvas().SetFontColor(clBtnText);
        Canvas().DrawText(header.Caption(), text, flags);
    }
    if (m_drawArrow && column.Sorted()) {
        const int arrowX = x + width + kArrowGap;
        const int arrowY = rect.top() + rect.height() / 2 - 4;
        if ((arrowX + 8 < rect.right() + 1 || !header.HideArrow()) &&
            !(DisplayFlags() & dfNoSortArrow))
            DrawSortArrow(arrowX, arrowY, column.SortKind() == skAscending);
    }
    if (Grid().PressedHeaderColumn() == column.Index() && (DisplayFlags() & dfInvertPressed))
        Canvas().InvertRect(IsOnlyVisibleColumn(column) ? rect.adjusted(-1, -1, 0, 0)
                                                        : rect.adjusted(0, 0, -1, 0));
}

void TStyleDisplay::DrawStripBackground(const QRect& rect)
{
    DrawHeaderBackground(rect, hbHeaderLike);
}

void TStyleDisplay::DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind)
{
    Canvas().FillRect(rect, Grid().Color());
}

void TStyleDisplay::DrawFooter(TGxCustomColumn& column, const QRect& rect, bool gridLines)
{
    TCanvas& canvas = Canvas();
    canvas.SetFont(column.Font());
    canvas.FillRect(gridLines ? rect.adjusted(0, 0, -1, -1) : rect, column.Footer().Color());
    if (gridLines) {
        canvas.FillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), clBtnFace);
        canvas.FillRect(QRect(rect.right(), rect.top(), 1, rect.height()), clBtnFace);
    }
    canvas.SetClipRect(rect);
    DrawFooterContent(column, rect);
    canvas.ResetClip();
}

void TStyleDisplay::DrawHeader(TGxCustomColumn& column, const QRect& rect)
{
    if (m_drawBackgrounds)
        DrawHeaderItemBackground(column, rect);
    DrawHeaderContent(column, rect);
}

void TStyleDisplay::DrawHeaderItemBackground(TGxCustomColumn&, const QRect&) {}

void TStyleDisplay::DrawIndicatorCell(const QRect& rect, int row)
{
    TCanvas& canvas = Canvas();
    const int top = rect.top();
    const int right = rect.right() + 1;
    const int bottom = rect.bottom() + 1;
    const bool afterFirst = row > 0;
    canvas.FillRect(QRect(QPoint(1, top + 1), QPoint(right - 2, bottom - 1)), clBtnFace);
    canvas.SetPenColor(clBtnHighlight);
    canvas.MoveTo(0, top);
    canvas.LineTo(0, bottom + 1);
    canvas.MoveTo(afterFirst ? 2 : 1, top);
    canvas.LineTo(afterFirst ? right - 2 : right - 1, top);
    canvas.SetPenColor(clBtnShadow);
    canvas.MoveTo(right - 1, top);
    canvas.LineTo(right - 1, bottom);
    canvas.MoveTo(2, bottom - 1);
    canvas.LineTo(right - 2, bottom - 1);
    // Rounded corners where one row's cell meets the next.
    if (afterFirst) {
        canvas.SetPixel(1, top, clBtnFace);
        canvas.SetPixel(right - 1, top, clBtnFace);
    }
    canvas.SetPixel(1, bottom - 1, clBtnFace);
    canvas.SetPixel(right - 1, bottom - 1, clBtnFace);
}

void TStyleDisplay::DrawIndicatorMark(const QRect& rect)
{
    // A triangle 6 pixels wide and 11 high, pointing at the current row.
    const int x = rect.left() + (rect.width() - 6) / 2;
    const int y = rect.top() + (rect.height() - 11) / 2;
    Canvas().SetPenColor(clWindowText);
    Canvas().SetBrushColor(clWindowText);
    Canvas().Polygon({{x, y}, {x + 5, y + 5}, {x, y + 10}});
}

void TStyleDisplay::DrawInputCell(TGxCustomColumn& column, const QRect& rect, bool focused,
                                  bool active, bool gridLines)
{
    TCanvas& canvas = Canvas();
    QFont font = column.Font();
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    canvas.SetFont(font);
    TColor background = column.Color();
    canvas.SetFontColor(clGrayText);
    if (active) {
        background = focused ? clHighlight : clBtnFace;
        canvas.SetFontColor(clHighlightText);
    }
    if (active && gridLines) {
        canvas.FillRect(rect.adjusted(0, 0, -1, -1), background);
        canvas.FillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), clHighlight);
        canvas.FillRect(QRect(rect.right(), rect.top(), 1, rect.height()), clHighlight);
    } else {
        canvas.FillRect(rect, background);
    }
    const QRect content(QPoint(rect.left() + 2, rect.top()), rect.bottomRight() - QPoint(1, 1));
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    const QString value = column.InputValue();
    if (value.isEmpty()) {
        canvas.DrawText(column.InputCaption(), content, flags | DT_CENTER);
        return;
    }
    if (column.Alignment() == taRightJustify)
        flags |= DT_RIGHT;
    else if (column.Alignment() == taCenter)
        flags |= DT_CENTER;
    canvas.DrawText(value, content, flags);
}

void TStyleDisplay::DrawHeaderEmptyArea(const QRect& rect)
{
    Canvas().FillRect(rect, Grid().Color());
}

// --- The default style ----------------------------------------------------------------------

unsigned TDefaultStyleDisplay::DisplayFlags() const
{
    return Themed() ? dfHotTracking : dfInvertPressed;
}

void TDefaultStyleDisplay::DrawHeaderBackground(const QRect& rect, THeaderBackgroundKind kind)
{
    if (kind != hbHeaderLike) {
        TStyleDisplay::DrawHeaderBackground(rect, kind);
        return;
    }
    if (Themed()) {
        ::DrawThemedHeaderItem(Canvas(), Grid(), rect, hisNormal);
        return;
    }
    Canvas().FillRect(rect, clBtnFace);
    Canvas().Frame3D(rect, clBtnHighlight, clBtnShadow);
}

void TDefaultStyleDisplay::DrawHeaderItemBackground(TGxCustomColumn& column, const QRect& rect)
{
    if (Themed())
        DrawThemedHeaderItem(column, rect);
    else
        DrawClassicHeaderItem(column, rect);
}

void TDefaultStyleDisplay::DrawIndicatorCell(const QRect& rect, int)
{
    DrawHeaderBackground(rect, hbHeaderLike);
}

void TDefaultStyleDisplay::DrawHeaderEmptyArea(const QRect& rect)
{
    if (Themed())
        ::DrawThemedHeaderItem(Canvas(), Grid(), rect, hisNormal);
    else
        Canvas().FillRect(rect, Grid().Color());
}

void TDefaultStyleDisplay::DrawThemedHeaderItem(TGxCustomColumn& column, const QRect& rect)
{
    THeaderItemState state = hisNormal;
    if (Grid().PressedHeaderColumn() == column.Index())
        state = hisPressed;
    else if (Grid().HotHeaderColumn() == column.Index())
        state = hisHot;
    ::DrawThemedHeaderItem(Canvas(), Grid(), rect, state);
}

void TDefaultStyleDisplay::DrawClassicHeaderItem(TGxCustomColumn& column, const QRect& rect)
{
    TCanvas& canvas = Canvas();
    const TColor face = column.Header().Color();
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.right() + 1;
    const int bottom = rect.bottom() + 1;
    canvas.FillRect(rect.adjusted(1, 1, -1, -1), face);
    if (IsOnlyVisibleColumn(column)) {
        canvas.Frame3D(rect, clBtnHighlight, clBtnShadow);
        return;
    }
    canvas.FillRect(QRect(left, top, rect.width(), 1), clBtnHighlight);
    if (IsFirstVisibleColumn(column)) {
        canvas.FillRect(QRect(left, top + 1, 1, bottom - top - 1), clBtnHighlight);
    } else {
        canvas.FillRect(QRect(left, top + 2, 1, bottom - top - 4), clBtnHighlight);
        canvas.SetPixel(left, top + 1, face);
        canvas.SetPixel(left, bottom - 2, face);
    }
    canvas.FillRect(QRect(left, bottom - 1, rect.width(), 1), clBtnShadow);
    if (IsLastVisibleColumn(column)) {
        canvas.FillRect(QRect(right - 1, top, 1, rect.height()), clBtnShadow);
    } else {
        canvas.FillRect(QRect(right - 1, top + 2, 1, bottom - top - 4), clBtnShadow);
        canvas.SetPixel(right - 1, top + 1, face);
        canvas.SetPixel(right - 1, bottom - 2, face);
    }
}
