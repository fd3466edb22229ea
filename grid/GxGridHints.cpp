// The pointer over the grid with no button dragging: the hot header, the cursors of the areas,
// the cell interactors' hover and the hint windows of headers, footers and cells.
#include "grid/GxCustomGrid.h"
#include "grid/GxDisplays.h"
#include "platform/Cursors.h"

#include <QLabel>

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
    if (m_hintKind == hkHeader)
        HideHint();
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
    else if (m_hintKind == hkFooter)
        HideHint();
}

void TGxCustomGrid::FooterHover(QPoint point)
{
    const int col = GetColumnAtX(point.x());
    const QString hint = col >= 0 ? Columns().Items(col).Footer().Hint() : QString();
    if (hint.isEmpty() || (m_hintKind == hkFooter && m_hintColumn == col))
        return;
    m_hintColumn = col;
    const TGxCustomColumn& column = Columns().Items(col);
    ShowHint(hkFooter, hint,
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
        HideHint();
        return;
    }
    const TGxCustomColumn& column = Columns().Items(col);
    if (column.Header().Hint().isEmpty()) {
        HideHint();
    } else if (m_hintKind != hkHeader || m_hintColumn != col) {
        m_hintColumn = col;
        ShowHint(hkHeader, column.Header().Hint(),
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
        HideHint();
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
        ShowHint(hkTextFit, column.GetDisplayText(CellForPaint(cell.Col, cell.Row), cell.Row),
                 viewport()->mapToGlobal(cellRect.topLeft()), viewport()->width());
        return;
    }
    const QString hint = CellHint(cell.Col, cell.Row);
    if (!hint.isEmpty()) {
        ShowHint(hkCell, hint,
                 viewport()->mapToGlobal(QPoint(cellRect.right() + 1, cellRect.top() - 20)),
                 kCellHintWidth);
        return;
    }
    HideHint();
}

void TGxCustomGrid::ShowHint(THintKind kind, const QString& text, QPoint globalTopLeft,
                             int maxWidth)
{
    if (!m_hintWindow) {
        auto* label = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        label->setAttribute(Qt::WA_ShowWithoutActivating);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setTextFormat(Qt::PlainText);
        label->setForegroundRole(QPalette::ToolTipText);
        label->setBackgroundRole(QPalette::ToolTipBase);
        label->setAutoFillBackground(true);
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setMargin(1);
        m_hintWindow.reset(label);
    }
    auto* label = static_cast<QLabel*>(m_hintWindow.get());
    label->setFont(font());
    label->setText(text);
    label->setWordWrap(kind == hkCell);
    label->setMaximumWidth(maxWidth);
    label->adjustSize();
    label->move(globalTopLeft);
    label->show();
    m_hintKind = kind;
}

void TGxCustomGrid::HideHint()
{
    if (m_hintWindow)
        m_hintWindow->hide();
    m_hintKind = hkNone;
    m_hintColumn = -1;
}

void TGxCustomGrid::BeforeScroll(Qt::Orientation kind)
{
    TGxCustomGridControl::BeforeScroll(kind);
    ResetHover();
}

void TGxCustomGrid::ResetHover()
{
    m_hoverCell = {};
    if (m_hintKind == hkTextFit || m_hintKind == hkCell)
        HideHint();
}
