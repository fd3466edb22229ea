// The grid's painting: rows and cells in their colours and lines, the headers through the
// current style display, the empty area and the caption. Painting reads the grid and never
// changes its data.
#include "grid/GxCustomGrid.h"
#include "grid/GxDisplays.h"
#include "grid/GxStyleDisplays.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/Canvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

QRect Ltrb(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

int Right(const QRect& rect)
{
    return rect.left() + rect.width();
}

int Bottom(const QRect& rect)
{
    return rect.top() + rect.height();
}

QFont StyledFont(QFont font, TFontStyles styles)
{
    font.setBold(styles.contains(fsBold));
    font.setItalic(styles.contains(fsItalic));
    font.setUnderline(styles.contains(fsUnderline));
    font.setStrikeOut(styles.contains(fsStrikeOut));
    return font;
}

} // namespace

void TGxCustomGridControl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    TCanvas canvas(painter, event->region());
    // The canvas lives only for this paint, also when a handler of a painting event throws.
    struct CanvasScope
    {
        TCanvas*& slot;
        ~CanvasScope() { slot = nullptr; }
    } scope{m_canvas};
    m_canvas = &canvas;
    const QRect body = GetBodyRect();
    const int width = viewport()->width();
    SetHorzScrollStrip(Ltrb(body.left() + m_columns.FixedWidth(), 0, width, viewport()->height()));
    SetVertScrollStrip(Ltrb(0, body.top(), width, Bottom(body)));
    PaintRows();
    PaintHeaders();
    PaintEmptyArea();
    if (VisibleRowCount() == 0)
        PaintCaption();
    if (OnPostDraw)
        OnPostDraw(this);
}

TGxCustomGridControl::TPaintColumn
TGxCustomGridControl::PaintColumnOf(TGxCustomColumn& column) const
{
    const bool scrolled = column.Position() >= m_columns.FixedCols();
    const int left = column.ColumnLeft() - (scrolled ? HorzOffset() : 0);
    return {&column, left, left + column.Width(), scrolled};
}

std::vector<TGxCustomGridControl::TPaintColumn> TGxCustomGridControl::PaintColumns() const
{
    std::vector<TPaintColumn> columns;
    const int fixedRight = GetFixedAreaRect().left();
    const int clientWidth = viewport()->width();
    for (TGxCustomColumn* column : m_columns.PositionList()) {
        if (!column->Visible())
            continue;
        const TPaintColumn item = PaintColumnOf(*column);
        if (item.scrolled && item.right < fixedRight)
            continue;
        if (item.left > clientWidth || item.right < 0)
            continue;
        columns.push_back(item);
    }
    return columns;
}

void TGxCustomGridControl::PaintRows()
{
    if (!m_canvas)
        return;
    const std::vector<TPaintColumn> columns = PaintColumns();
    const QRect body = GetBodyRect();
    const int bottom = Bottom(body);
    const bool indicator = m_options.contains(goIndicator);
    if (indicator)
        m_styleDisplay->SetCanvas(m_canvas);
    m_lastPaintedRow = -1;
    int y = body.top();
    for (int row = std::max(m_topRow, 0); y < bottom; ++row) {
        const bool real = row < RowCount();
        if (real && !RowAt(row).Shown())
            continue;
        const int height = real ? GetRowHeight(row) : m_rowSize;
        const int top = y + m_lineSpacing.Top;
        for (const TPaintColumn& item : columns) {
            const QRect rect(item.left, top, item.right - item.left, height);
            if (real)
                DrawCellAt(item, row, rect);
            else
                DrawEmptyCellAt(item, row, rect);
        }
        if (indicator) {
            const QRect cell(0, top, TGxColumns::kIndicatorWidth, height);
            m_styleDisplay->DrawIndicatorCell(cell, row);
            if (real && row == m_selectedRow)
                m_styleDisplay->DrawIndicatorMark(cell);
        }
        if (real)
            m_lastPaintedRow = row;
        y += height + m_lineSpacing.Gap;
    }
    if (m_options.contains(goSelectFullRow))
        DrawFocus();
}

void TGxCustomGridControl::DrawCell(int ACol, int ARow)
{
    TGxCustomColumn& column = m_columns.Items(ACol);
    if (!column.Visible() || !m_canvas || !ValidRow(ARow))
        return;
    DrawCellAt(PaintColumnOf(column), ARow, GetCellRect(ACol, ARow));
}

void TGxCustomGridControl::DrawEmptyCell(int ACol, int ARow)
{
    TGxCustomColumn& column = m_columns.Items(ACol);
    if (!column.Visible() || !m_canvas)
        return;
    DrawEmptyCellAt(PaintColumnOf(column), ARow, GetCellRect(ACol, ARow));
}

QRect TGxCustomGridControl::CellClip(const QRect& cell, bool scrolled) const
{
    QRect clip = Ltrb(cell.left() - m_lineSpacing.Left, cell.top() - m_lineSpacing.Top,
                      Right(cell) + m_lineSpacing.Right, Bottom(cell) + m_lineSpacing.Bottom);
    if (scrolled)
        clip.setLeft(std::max(clip.left(), GetFixedAreaRect().left()));
    const int bodyBottom = Bottom(GetBodyRect());
    if (Bottom(clip) > bodyBottom)
        clip.setBottom(bodyBottom - 1);
    return clip;
}

void TGxCustomGridControl::DrawCellAt(const TPaintColumn& item, int ARow, const QRect& rect)
{
    if (!m_canvas->MeetsClip(rect))
        return;
    TGxCustomColumn& column = *item.column;
    const int col = column.Index();
    TCanvas& canvas = *m_canvas;
    canvas.SetFont(column.Font());
    TColor cellColor = GetCellColor(col, ARow);
    TColor gridColor = m_gridLinesColor;
    TCellState state;
    const bool highlighted = IsCellHighlighted(col, ARow);
    TColumnDisplay* display = column.Display();
    if (highlighted) {
        state.include(csSelected);
        if (m_appearanceOptions.contains(aoBoldTextSelection))
            state.include(csBoldTextSelection);
        if (Focused() && !m_appearanceOptions.contains(aoHideFocus))
            state.include(csFocused);
    }
    if (display)
        display->SetHighlighted(highlighted);
    if (OnCellColoring)
        OnCellColoring(this, col, ARow, cellColor, gridColor, state);
    if (column.Sorted() && !highlighted) {
        if (m_sortedStyle == soDarker)
            cellColor = MixColors(clBlack, cellColor, 10);
        else if (m_sortedStyle == soWhite)
            cellColor = clWhite;
    }
    canvas.SetClipRect(CellClip(rect, item.scrolled));
    if (m_options.contains(goGrid))
        DrawCellLines(col, ARow, gridColor, rect);
    const QRect inner = rect.adjusted(m_lineSpacing.Left, 0, -m_lineSpacing.Right, 0);
    bool defaultDrawing =
        !m_appearanceOptions.contains(aoDontFillCells) && column.DrawingOptions() != doCustomOnly;
    if (OnDrawCellBackground)
        OnDrawCellBackground(this, col, ARow, inner, state, defaultDrawing);
    if (display) {
        display->SetCanvas(&canvas);
        display->SetWindow(this);
        display->SetGrid(this);
        display->SetCellRect(inner);
        display->SetHighlightedTextColor(m_highlightedTextColor);
        display->SetRow(ARow);
        display->SetRowImage(RowAt(ARow).RowImage());
        if (defaultDrawing)
            display->FillBackground(cellColor);
        display->SetCurrent(col == m_selectedColumn && ARow == m_selectedRow);
        display->SetCellRect(inner.adjusted(column.Padding(), 0, -column.Padding(), 0));
    } else if (defaultDrawing) {
        canvas.FillRect(inner, cellColor);
    }
    const TDrawingOptions drawing = column.DrawingOptions();
    if (display && (drawing == doNormal || drawing == doCustom)) {
        TColor textColor = isEnabled() ? GetCellTextColor(col, ARow) : clGrayText;
        display->LoadValue(CellForPaint(col, ARow), column.CellKind(), ARow);
        TFontStyles styles = CellForPaint(col, ARow).FontStyle();
        if (state.contains(csBoldTextSelection))
            styles.include(fsBold);
        if (OnCellFormating)
            OnCellFormating(this, col, ARow, textColor, styles, state);
        canvas.SetFont(StyledFont(column.Font(), styles));
        canvas.SetFontColor(textColor);
        display->Paint();
    }
    if (m_appearanceOptions.contains(aoHintMarks) && display) {
        QString hint = CellHint(col, ARow);
        if (OnCellHint)
            OnCellHint(this, col, ARow, hint);
        if (!hint.isEmpty())
            display->DrawHintMark();
    }
    if (drawing != doNormal && OnCustomDrawCell)
        OnCustomDrawCell(this, col, ARow, inner, state);
    if (!m_options.contains(goSelectFullRow) && col == m_selectedColumn && ARow == m_selectedRow)
        DrawFocus();
    canvas.ResetClip();
}

void TGxCustomGridControl::DrawEmptyCellAt(const TPaintColumn& item, int ARow, const QRect& rect)
{
    if (!m_canvas->MeetsClip(rect))
        return;
    TGxCustomColumn& column = *item.column;
    const int col = column.Index();
    TCanvas& canvas = *m_canvas;
    TColor cellColor = m_color;
    if (m_appearanceOptions.contains(aoIndicateSortedColumn) && column.Sorted())
        cellColor = MixColors(clBlack, cellColor, 10);
    TColor gridColor = m_gridLinesStyle == lsActiveRows || m_gridLinesStyle == lsActiveHorzOnly
                           ? cellColor
                           : m_gridLinesColor;
    const TCellState state{csEmpty};
    canvas.SetClipRect(CellClip(rect, item.scrolled));
    if (OnCellColoring)
        OnCellColoring(this, col, ARow, cellColor, gridColor, state);
    if (m_options.contains(goGrid))
        DrawCellLines(col, ARow, gridColor, rect);
    const QRect inner = rect.adjusted(m_lineSpacing.Left, 0, -m_lineSpacing.Right, 0);
    bool defaultDrawing = true;
    if (OnDrawCellBackground)
        OnDrawCellBackground(this, col, ARow, inner, state, defaultDrawing);
    if (defaultDrawing)
        canvas.FillRect(inner, cellColor);
    canvas.ResetClip();
}

void TGxCustomGridControl::DrawCellLines(int ACol, int ARow, TColor GridColor, const QRect& R)
{
    if (!m_canvas)
        return;
    TCanvas& canvas = *m_canvas;
    const int right = Right(R);
    const int bottom = Bottom(R);
    const bool framed = m_gridLinesStyle == lsFramed;
    if (m_lineSpacing.Bottom > 0) {
        canvas.SetPenColor(framed && ARow == RowCount() - 1 ? clBlack : GridColor);
        canvas.MoveTo(R.left(), bottom);
        canvas.LineTo(right + 1, bottom);
    }
    if (m_lineSpacing.Top > 0) {
        canvas.SetPenColor(clBtnHighlight);
        canvas.MoveTo(R.left(), R.top() - 1);
        canvas.LineTo(right + 1, R.top() - 1);
    }
    if (m_lineSpacing.Left > 0) {
        canvas.SetPenColor(clBtnHighlight);
        canvas.MoveTo(R.left(), R.top() - 1);
        canvas.LineTo(R.left(), bottom + 1);
    }
    if (m_lineSpacing.Right > 0) {
        const TGxCustomColumn* last = m_columns.LastVisibleColumn();
        const bool lastColumn = last && last->Index() == ACol;
        canvas.SetPenColor(framed && lastColumn && ARow < RowCount() ? clBlack : GridColor);
        canvas.MoveTo(right - 1, R.top() - 1);
        canvas.LineTo(right - 1, bottom + 1);
    }
}

bool TGxCustomGridControl::IsCellHighlighted(int ACol, int ARow)
{
    if (ACol < 0 || ACol >= m_columns.Count() || !ValidRow(ARow))
        return false;
    if (m_columns.Items(ACol).Options().contains(coDontHighlight))
        return false;
    if (!Focused() && m_appearanceOptions.contains(aoHideSelection))
        return false;
    const bool current = ACol == m_selectedColumn && ARow == m_selectedRow;
    if (!m_options.contains(goSelectFullRow))
        return current;
    if (current && m_appearanceOptions.contains(aoIndicateSelectedCell))
        return false;
    return RowAt(ARow).Selected();
}

TColor TGxCustomGridControl::GetCellColor(int ACol, int ARow)
{
    const TGxCustomColumn& column = m_columns.Items(ACol);
    TColor color = column.ParentCellColor() ? column.Color() : CellForPaint(ACol, ARow).Color();
    if (m_appearanceOptions.contains(aoIndicateSortedColumn) && column.Sorted())
        color = MixColors(clBlack, color, 10);
    if (!IsCellHighlighted(ACol, ARow))
        return color;
    if (!Focused())
        return m_inactiveSelectionColor;
    if (m_appearanceOptions.contains(aoAlphaBlendedSelection))
        return BlendColors(color, clHighlight, 0.25);
    return m_selectionColor;
}

TColor TGxCustomGridControl::GetCellTextColor(int ACol, int ARow)
{
    if (IsCellHighlighted(ACol, ARow) && Focused())
        return m_highlightedTextColor;
    return clWindowText;
}

QRect TGxCustomGridControl::FocusRect()
{
    if (m_selectedColumn < 0 || m_selectedColumn >= m_columns.Count() || !ValidRow(m_selectedRow) ||
        m_selectedRow < m_topRow || m_selectedRow > m_lastPaintedRow)
        return {};
    const QRect body = GetBodyRect();
    if (m_options.contains(goSelectFullRow)) {
        const int top = GetRowTop(m_selectedRow);
        const int right =
            IndicatorWidth() + m_columns.VisibleWidth() - HorzOffset() - m_lineSpacing.Right;
        return Ltrb(body.left(), top, right, top + GetRowHeight(m_selectedRow));
    }
    const TGxCustomColumn& column = m_columns.Items(m_selectedColumn);
    if (!column.Visible())
        return {};
    const QRect cell = GetCellRect(m_selectedColumn, m_selectedRow);
    QRect frame = cell.adjusted(m_lineSpacing.Left, 0, -m_lineSpacing.Right, 0);
    if (column.Position() >= m_columns.FixedCols())
        frame.setLeft(std::max(frame.left(), GetFixedAreaRect().left()));
    return frame.intersected(CellClip(cell, false));
}

void TGxCustomGridControl::DrawFocus()
{
    if (!m_canvas || RowCount() == 0 || !Focused() || m_appearanceOptions.contains(aoHideFocus))
        return;
    const QRect frame = FocusRect();
    if (frame.isEmpty() || !frame.intersects(GetBodyRect()))
        return;
    m_canvas->SetClipRect(frame);
    if (m_appearanceOptions.contains(aoAlphaBlendedSelection))
        m_canvas->FrameRect(frame, clHighlight);
    else
        m_canvas->DrawFocusRect(frame);
    m_canvas->ResetClip();
}

void TGxCustomGridControl::PaintHeaders()
{
    if (!m_canvas)
        return;
    TStyleDisplay& display = *m_styleDisplay;
    TCanvas& canvas = *m_canvas;
    display.SetCanvas(&canvas);
    display.SetThemed(Themed());
    const QRect header = GetHeaderRect();
    const QRect input = GetInputRect();
    const QRect footer = GetFooterRect();
    const QRect fixedArea = GetFixedAreaRect();
    const int clientWidth = viewport()->width();
    const bool gridLines = m_options.contains(goGrid);
    for (TGxCustomColumn* column : m_columns.PositionList()) {
        if (!column->Visible())
            continue;
        const TPaintColumn item = PaintColumnOf(*column);
        if (item.left > clientWidth)
            break;
        if (item.scrolled && item.right < fixedArea.left())
            continue;
        if (item.scrolled)
            canvas.SetClipRect(fixedArea);
        canvas.SetFont(font());
        if (m_options.contains(goHeader))
            display.DrawHeader(*column, Ltrb(item.left, header.top(), item.right, Bottom(header)));
        if (m_options.contains(goInput))
            display.DrawInputCell(*column,
                                  Ltrb(item.left, input.top(), item.right, Bottom(input) - 6),
                                  Focused(), false, gridLines);
        if (m_options.contains(goFooter))
            display.DrawFooter(
                *column, Ltrb(item.left, footer.top() + 4, item.right, Bottom(footer)), gridLines);
        canvas.ResetClip();
    }
    PaintHeaderStrips();
}

void TGxCustomGridControl::PaintHeaderStrips()
{
    TStyleDisplay& display = *m_styleDisplay;
    const QRect input = GetInputRect();
    const QRect footer = GetFooterRect();
    if (m_options.contains(goInput))
        display.DrawStripBackground(
            Ltrb(input.left(), Bottom(input) - 6, Right(input), Bottom(input)));
    if (m_options.contains(goFooter))
        display.DrawStripBackground(
            Ltrb(footer.left(), footer.top(), Right(footer), footer.top() + 4));
    if (!m_options.contains(goIndicator))
        return;
    const int width = TGxColumns::kIndicatorWidth;
    if (m_options.contains(goInput))
        display.DrawHeaderBackground(Ltrb(0, input.top(), width, Bottom(input)), hbHeaderLike);
    if (m_options.contains(goFooter))
        display.DrawHeaderBackground(Ltrb(0, footer.top(), width, Bottom(footer)), hbFooterLike);
    if (m_options.contains(goHeader))
        display.DrawHeaderBackground(Ltrb(0, 0, width, m_headerSize), hbHeaderLike);
}

void TGxCustomGridControl::PaintEmptyArea()
{
    const int clientWidth = viewport()->width();
    const int clientHeight = viewport()->height();
    const int end = IndicatorWidth() + m_columns.VisibleWidth() - HorzOffset();
    if (end >= clientWidth)
        return;
    if (Themed() && m_headerStyle == hsAuto && m_options.contains(goHeader)) {
        m_styleDisplay->SetCanvas(m_canvas);
        m_styleDisplay->DrawHeaderEmptyArea(Ltrb(end, 0, clientWidth, m_headerSize));
        m_canvas->FillRect(Ltrb(end, m_headerSize, clientWidth, clientHeight), m_color);
        return;
    }
    m_canvas->FillRect(Ltrb(end, 0, clientWidth, clientHeight), m_color);
}

void TGxCustomGridControl::PaintCaption()
{
    if (m_caption.isEmpty())
        return;
    TCanvas& canvas = *m_canvas;
    canvas.SetFont(font());
    canvas.SetFontColor(isEnabled() ? clWindowText : clGrayText);
    const QRect body = GetBodyRect();
    const int top = body.top() + 4;
    const int offset = HorzOffset();
    const QRect band =
        Ltrb(body.left() - offset, top, viewport()->width() - offset, top + canvas.TextHeight());
    canvas.DrawText(m_caption, band, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}
