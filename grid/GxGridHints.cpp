// The pointer over the grid with no button dragging: the hot header, the cursors of the areas,
// the cell interactors' hover and the hint windows of headers, footers and cells.
#include "grid/GxCustomGrid.h"
#include "grid/GxDisplays.h"
#include "platform/Cursors.h"

namespace {

constexpr int kCellHintWidth = 250;

} // namespace

// The pointer over the grid with no drag under way: hot header, cursors, hover cell and hints.
void TGxCustomGrid::Hover(Qt::KeyboardModifiers shift, QPoint point)
{
    const TGridHitArea area = HitTestArea(point.x(), point.y());
    if (area == haHeader) {
        HeaderHover(point);
        return;
    }
    if (HotHeaderColumn() >= 0)
        SetHotHeaderColumn(-1);
    if (m_hint.Kind() == TGridHint::hkHeader)
        m_hint.Hide();
    if (area == haBody) {
        CellHover(shift, point);
        return;
    }
    ResetHover();
    if (area == haIndicator && Options().contains(goRowResizing) && RowEdgeAt(point) >= 0)
        viewport()->setCursor(TCursors::Screen().Cursor(crVertSplit));
    else if (area == haIndicator)
        viewport()->setCursor(TCursors::Screen().Cursor(crIndicatorSelect));
    else
        viewport()->unsetCursor();
    if (area == haFooter)
        FooterHover(point);
    else if (m_hint.Kind() == TGridHint::hkFooter)
        m_hint.Hide();
}

void TGxCustomGrid::FooterHover(QPoint point)
{
    const int col = GetColumnAtX(point.x());
    const QString hint = col >= 0 ? Columns().Items(col).Footer().Hint() : QString();
    if (hint.isEmpty() || m_hint.Shows(TGridHint::hkFooter, col))
        return;
    const TGxCustomColumn& column = Columns().Items(col);
    m_hint.Show(TGridHint::hkFooter, col, hint, font(),
                viewport()->mapToGlobal(
                    QPoint(column.ColumnLeft() - ScrollOf(column), viewport()->height() + 2)),
                kCellHintWidth);
}

void TGxCustomGrid::HeaderHover(QPoint point)
{
    ResetHover();
    if (ResizeColumnAt(point))
        viewport()->setCursor(TCursors::Screen().Cursor(crHorzSplit));
    else
        viewport()->unsetCursor();
    const int col = GetColumnAtX(point.x());
    if (col != HotHeaderColumn())
        SetHotHeaderColumn(col);
    if (col < 0) {
        m_hint.Hide();
        return;
    }
    const TGxCustomColumn& column = Columns().Items(col);
    if (column.Header().Hint().isEmpty()) {
        m_hint.Hide();
    } else if (!m_hint.Shows(TGridHint::hkHeader, col)) {
        m_hint.Show(TGridHint::hkHeader, col, column.Header().Hint(), font(),
                    mapToGlobal(QPoint(viewport()->x() + column.ColumnLeft() - ScrollOf(column),
                                       HeaderSize() + 2)),
                    kCellHintWidth);
    }
}

void TGxCustomGrid::CellHover(Qt::KeyboardModifiers shift, QPoint point)
{
    const TGridCoord cell = GetCellAt(point.x(), point.y());
    const bool changed = cell != m_hoverCell;
    m_hoverCell = cell;
    QPoint at = point;
    if (ValidCell(cell) && Columns().Items(cell.Col).Play())
        if (TColumnPlay* play = PlayAt(cell, at))
            play->MouseMove(shift, at.x(), at.y());
    if (!changed)
        return;
    if (!ValidCell(cell)) {
        viewport()->unsetCursor();
        m_hint.Hide();
        return;
    }
    TGxCustomColumn& column = Columns().Items(cell.Col);
    if (column.Cursor() == 0)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(TCursors::Screen().Cursor(column.Cursor()));
    const QRect cellRect = GetCellRect(cell.Col, cell.Row);
    if (column.Options().contains(coShowTextFitHint) &&
        ContentWidth(column, cell.Row) + 5 > column.Width()) {
        m_hint.Show(TGridHint::hkTextFit, cell.Col,
                    column.GetDisplayText(CellForPaint(cell.Col, cell.Row), cell.Row), font(),
                    viewport()->mapToGlobal(cellRect.topLeft()), viewport()->width());
        return;
    }
    const QString hint = CellHint(cell.Col, cell.Row);
    if (!hint.isEmpty()) {
        m_hint.Show(TGridHint::hkCell, cell.Col, hint, font(),
                    viewport()->mapToGlobal(QPoint(cellRect.right() + 1, cellRect.top() - 20)),
                    kCellHintWidth);
        return;
    }
    m_hint.Hide();
}

void TGxCustomGrid::BeforeScroll(Qt::Orientation kind)
{
    TGxCustomGridControl::BeforeScroll(kind);
    ResetHover();
}

void TGxCustomGrid::ResetHover()
{
    m_hoverCell = {};
    if (m_hint.Kind() == TGridHint::hkTextFit || m_hint.Kind() == TGridHint::hkCell)
        m_hint.Hide();
}
