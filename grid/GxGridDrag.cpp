// Dragging with the mouse: columns resized by their header's right edge or fitted to their
// content, columns moved by their header, rows resized and moved in the indicator.
#include "grid/GxColumnClasses.h"
#include "grid/GxColumnDragBox.h"
#include "grid/GxCustomGrid.h"
#include "grid/GxDisplays.h"
#include "grid/GxDragArrow.h"
#include "platform/Cursors.h"

#include <QFontMetrics>
#include <algorithm>
#include <utility>

void TGxCustomGrid::StartResize(TGxCustomColumn& column)
{
    m_interaction = giColumnResize;
    m_heldColumn = &column;
    m_resizeDelta = 0;
    TrackResize(m_pressPoint.x());
}

void TGxCustomGrid::TrackResize(int x)
{
    TGxCustomColumn& column = *m_heldColumn;
    const int h = ScrollOf(column);
    const int right = column.ColumnLeft() + column.Width();
    m_resizeDelta = std::max(x + h - right, column.MinWidth() - column.Width());
    const int height = viewport()->height();
    PlaceTrackLine(*m_trackLines[0], QRect(column.ColumnLeft() - h, 0, 1, height));
    PlaceTrackLine(*m_trackLines[1], QRect(right + m_resizeDelta - h - 1, 0, 1, height));
}

void TGxCustomGrid::EndResize()
{
    TGxCustomColumn& column = *std::exchange(m_heldColumn, nullptr);
    const int delta = std::exchange(m_resizeDelta, 0);
    for (QWidget* line : m_trackLines)
        line->hide();
    if (delta != 0)
        column.SetWidth(column.Width() + delta);
}

// The natural width of the cell's content: its text as shown, or the picture or box the kind
// draws, which is the same for every row.
int TGxCustomGrid::ContentWidth(TGxCustomColumn& column, int ARow)
{
    if (column.Play() || dynamic_cast<TGxImageColumn*>(&column))
        return column.Display()->GetContentWidth();
    const QString text = column.GetDisplayText(CellForPaint(column.Index(), ARow), ARow);
    return QFontMetrics(column.Font()).horizontalAdvance(text);
}

void TGxCustomGrid::FitColumnToContent(TGxCustomColumn& column)
{
    int widest = 0;
    for (int row = 0; row < RowCount(); ++row)
        if (RowAt(row).Shown())
            widest = std::max(widest, ContentWidth(column, row));
    column.SetWidth(std::max(8, 2 * column.Padding() + 5 + widest));
}

bool TGxCustomGrid::StartDrag(QPoint point)
{
    TGxCustomColumn& column = *m_heldColumn;
    const bool locked = Options().contains(goLockFixedCols) && IsFixed(column);
    if (column.Options().contains(coDisableMoving) || Options().contains(goDisableColumnMoving) ||
        locked) {
        // The header stays held, as a click.
        m_heldColumn = nullptr;
        return false;
    }
    m_interaction = giColumnDrag;
    // A dragged header is no click.
    SetPressedHeaderColumn(-1);
    m_dragBox = std::make_unique<TColumnDragBox>(column.Header().Caption(),
                                                 QSize(column.Width(), HeaderSize()), font());
    m_dragArrows[0] = std::make_unique<TDragArrow>(true);
    m_dragArrows[1] = std::make_unique<TDragArrow>(false);
    m_dragBox->show();
    TrackDrag(point);
    return true;
}

// The gap between columns, counted in position order (0 before the first), that the point
// falls into; -1 outside the header band or where the gap is refused.
int TGxCustomGrid::DropGapAt(QPoint point) const
{
    const QRect header = GetHeaderRect();
    if (point.y() < header.top() || point.y() > header.bottom())
        return -1;
    const auto& columns = Columns().PositionList();
    int gap = static_cast<int>(columns.size());
    for (const TGxCustomColumn* column : columns) {
        if (!column->Visible())
            continue;
        const int left = column->ColumnLeft() - ScrollOf(*column);
        if (point.x() < left + column->Width() / 2) {
            gap = column->Position();
            break;
        }
    }
    if (Options().contains(goLockFixedCols) && gap < Columns().FixedCols())
        return -1;
    return gap;
}

void TGxCustomGrid::TrackDrag(QPoint point)
{
    m_dragBox->move(viewport()->mapToGlobal(point) -
                    QPoint(m_dragBox->width() / 2, m_dragBox->height() / 2));
    const int gap = DropGapAt(point);
    if (gap < 0) {
        for (auto& arrow : m_dragArrows)
            arrow->hide();
        viewport()->setCursor(TCursors::Screen().Cursor(crColumnNoDrag));
        return;
    }
    viewport()->unsetCursor();
    const auto& columns = Columns().PositionList();
    int x = 0;
    if (gap < static_cast<int>(columns.size())) {
        const TGxCustomColumn& next = *columns[gap];
        x = next.ColumnLeft() - ScrollOf(next);
    } else if (TGxCustomColumn* last = Columns().LastVisibleColumn()) {
        x = last->ColumnLeft() + last->Width() - ScrollOf(*last);
    }
    const QRect header = GetHeaderRect();
    const QPoint top = viewport()->mapToGlobal(QPoint(x - 4, header.top() - 12));
    const QPoint bottom = viewport()->mapToGlobal(QPoint(x - 4, header.bottom() + 1));
    m_dragArrows[0]->move(top);
    m_dragArrows[1]->move(bottom);
    for (auto& arrow : m_dragArrows)
        arrow->show();
}

void TGxCustomGrid::EndDrag(QPoint point)
{
    TGxCustomColumn& column = *std::exchange(m_heldColumn, nullptr);
    const int gap = DropGapAt(point);
    m_dragBox.reset();
    for (auto& arrow : m_dragArrows)
        arrow.reset();
    viewport()->unsetCursor();
    if (gap >= 0) {
        // Taking the column out shifts the gaps after it by one.
        const int target = gap > column.Position() ? gap - 1 : gap;
        if (target != column.Position())
            column.SetPosition(target);
    } else if (Options().contains(goCanHideColumn) && !GetHeaderRect().contains(point)) {
        column.SetVisible(false);
    }
    RefreshArea(gaHeader);
}

void TGxCustomGrid::TrackRowResize(QPoint point)
{
    m_rowTrackLine->move(viewport()->geometry().topLeft() +
                         QPoint(0, std::max(point.y(), GetRowTop(m_heldRow) + 1)));
}

void TGxCustomGrid::EndRowResize(QPoint point)
{
    const int row = std::exchange(m_heldRow, -1);
    m_rowTrackLine->hide();
    const int height = std::max(1, point.y() - GetRowTop(row) - LineSpacing().Gap);
    RowAt(row).SetRowHeight(height);
    UpdateVertScrollBar();
    Invalidate();
    if (OnChangeRowHeight)
        OnChangeRowHeight(this, row, height);
}

// Where a moved row would land: the row under the point, or the one after it when the point is
// in its lower half; RowCount below the last row.
int TGxCustomGrid::RowMoveTargetAt(QPoint point)
{
    const int row = GetRowAtY(point.y());
    if (row < 0)
        return point.y() < GetBodyRect().top() ? TopRow() : RowCount();
    return point.y() >= GetRowTop(row) + GetRowHeight(row) / 2 ? row + 1 : row;
}

void TGxCustomGrid::TrackRowMove(QPoint point)
{
    const int target = RowMoveTargetAt(point);
    const int y = target < RowCount() ? GetRowTop(target)
                                      : GetRowTop(RowCount() - 1) + GetRowHeight(RowCount() - 1);
    PlaceTrackLine(*m_rowTrackLine, QRect(0, y, viewport()->width(), 2));
}

void TGxCustomGrid::PlaceTrackLine(QWidget& line, const QRect& inViewport)
{
    line.setGeometry(inViewport.translated(viewport()->geometry().topLeft()));
    line.show();
    line.raise();
}

void TGxCustomGrid::EndRowMove(QPoint point)
{
    const int from = std::exchange(m_heldRow, -1);
    m_rowTrackLine->hide();
    const int target = RowMoveTargetAt(point);
    const int to = std::min(target > from ? target - 1 : target, RowCount() - 1);
    if (to == from || from >= RowCount())
        return;
    bool accept = true;
    if (OnRowMove)
        OnRowMove(this, from, to, accept);
    if (!accept)
        return;
    MoveRowTo(from, to);
    if (OnAfterRowMove)
        OnAfterRowMove(this, from, to);
    SelectCell(SelectedColumn(), to);
}
