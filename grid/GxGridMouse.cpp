// The grid's mouse buttons: what a press starts (a cell or header press, a resize, a drag, a
// roll), the moves it owns and what its release ends, with the clicks, double clicks and sorting
// they raise.
#include "grid/GxCustomGrid.h"
#include "grid/GxDisplays.h"

#include <QApplication>
#include <QMouseEvent>
#include <utility>

namespace {

// The pointer must travel this far from the press before a held header or row starts to move.
constexpr int kDragThreshold = 3;

} // namespace

// Qt delivers the second press of a double click as a press followed by a double-click event;
// the grid treats that press as the double click itself, so it neither selects nor starts a drag.
bool TGxCustomGrid::IsSecondPress(const QMouseEvent& event)
{
    const QPoint point = event.position().toPoint();
    const bool second =
        event.button() == m_lastPress.button &&
        event.timestamp() - m_lastPress.time < ulong(QApplication::doubleClickInterval()) &&
        (point - m_lastPress.point).manhattanLength() <= QApplication::startDragDistance();
    // A third press starts over.
    m_lastPress = second ? TLastPress{} : TLastPress{event.button(), event.timestamp(), point};
    return second;
}

// One press at a time: a button pressed while the button of the press under way is still held
// raises the toolkit's events only, so it neither selects nor rolls nor changes what the held
// press is doing. Otherwise the scroll control sees the press first (a middle press rolls).
bool TGxCustomGrid::TakePress(QMouseEvent& event)
{
    if (m_pressButton != Qt::NoButton && m_pressButton != event.button() &&
        (event.buttons() & m_pressButton))
        return false;
    // A press whose release went elsewhere (a window took the mouse) is over.
    if (m_interaction != giNone)
        DropInputStates();
    TGxCustomGridControl::mousePressEvent(&event);
    return true;
}

void TGxCustomGrid::BeginPress(Qt::MouseButton button, QPoint point)
{
    m_pressButton = button;
    m_pressPoint = point;
    m_pressedCell = GetCellAt(point.x(), point.y());
    // The scroll control has just started rolling on a middle press.
    m_interaction = Rolling() ? giRoll : giNone;
}

bool TGxCustomGrid::Travelled(QPoint point) const
{
    return (point - m_pressPoint).manhattanLength() > kDragThreshold;
}

void TGxCustomGrid::mousePressEvent(QMouseEvent* event)
{
    const bool taken = TakePress(*event);
    const QPoint point = event->position().toPoint();
    const bool second = IsSecondPress(*event);
    if (second && OnDblClick)
        OnDblClick(this);
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), point.x(), point.y());
    // The grid handles its input itself; nothing goes on to the parent.
    event->accept();
    if (second)
        m_doubleClickHandled = true;
    if (!taken)
        return;
    BeginPress(event->button(), point);
    if (second)
        HandleDoublePress(point);
    else
        HandlePress(event->button(), event->modifiers(), point);
}

void TGxCustomGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (std::exchange(m_doubleClickHandled, false))
        return;
    // A double click that came without its press.
    const bool taken = TakePress(*event);
    const QPoint point = event->position().toPoint();
    if (OnDblClick)
        OnDblClick(this);
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), point.x(), point.y());
    if (!taken)
        return;
    BeginPress(event->button(), point);
    HandleDoublePress(point);
}

void TGxCustomGrid::HandleDoublePress(QPoint point)
{
    const TGridHitArea area = HitTestArea(point.x(), point.y());
    TGxCustomColumn* edge = area == haHeader ? ResizeColumnAt(point) : nullptr;
    if (edge && edge->ColumnBehaviour().contains(cbSizeToContent)) {
        FitColumnToContent(*edge);
    } else if (area == haBody && ValidCell(m_pressedCell)) {
        if (OnCellDblClick)
            OnCellDblClick(this, m_pressedCell.Col, m_pressedCell.Row);
    } else if (area == haHeader) {
        const int col = GetColumnAtX(point.x());
        if (col >= 0 && OnHeaderDblClick)
            OnHeaderDblClick(this, col);
    } else if (area == haIndicator && Options().contains(goRowResizing)) {
        const int row = RowEdgeAt(point);
        if (row >= 0) {
            RowAt(row).SetRowHeight(RowSize());
            UpdateVertScrollBar();
            Invalidate();
            if (OnChangeRowHeight)
                OnChangeRowHeight(this, row, RowSize());
        }
    }
    // A double click does not select, and what follows is no drag.
}

void TGxCustomGrid::HandlePress(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)
{
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    if ((button != Qt::LeftButton && button != Qt::RightButton) || Columns().Count() == 0)
        return;
    const TGridHitArea area = HitTestArea(point.x(), point.y());
    if (button == Qt::LeftButton && area == haHeader) {
        if (TGxCustomColumn* column = ResizeColumnAt(point)) {
            StartResize(*column);
            return;
        }
    }
    switch (area) {
    case haBody:
        CellPress(button, shift, point);
        break;
    case haHeader:
        if (button == Qt::LeftButton)
            HeaderPress(point);
        break;
    case haIndicator:
        IndicatorPress(shift, point);
        break;
    case haFooter:
    case haInput:
    case haNone:
        break;
    }
}

void TGxCustomGrid::CellPress(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)
{
    const TGridCoord cell = m_pressedCell;
    if (!ValidCell(cell))
        return;
    // Set first: a handler of the events below that takes the focus away ends the press.
    m_interaction = giCellPress;
    QPoint at = point;
    if (ColumnCanHandle(Columns().Items(cell.Col)))
        if (TColumnPlay* play = PlayAt(cell, at))
            play->MouseDown(button, shift, at.x(), at.y());
    SelectCell(cell.Col, cell.Row, shift);
    if (GetCellRect(cell.Col, cell.Row).bottom() > GetBodyRect().bottom())
        ScrollRowIntoView(cell.Row);
}

void TGxCustomGrid::HeaderPress(QPoint point)
{
    const int col = GetColumnAtX(point.x());
    if (col < 0 || !Columns().Items(col).Options().contains(coCanClick))
        return;
    m_interaction = giHeaderPress;
    m_heldColumn = &Columns().Items(col);
    SetPressedHeaderColumn(col);
}

void TGxCustomGrid::IndicatorPress(Qt::KeyboardModifiers shift, QPoint point)
{
    if (Options().contains(goRowResizing)) {
        const int edge = RowEdgeAt(point);
        if (edge >= 0) {
            m_interaction = giRowResize;
            m_heldRow = edge;
            PlaceTrackLine(*m_rowTrackLine, QRect(0, point.y(), viewport()->width(), 1));
            return;
        }
    }
    const int row = GetRowAtY(point.y());
    if (row < 0)
        return;
    SelectCell(SelectedColumn(), row, shift);
    if (Options().contains(goRowMoving) && SelectedRow() == row) {
        m_interaction = giRowDrag;
        m_heldRow = row;
    }
}

void TGxCustomGrid::mouseReleaseEvent(QMouseEvent* event)
{
    TGxCustomGridControl::mouseReleaseEvent(event);
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton &&
        rect().contains(mapFromGlobal(event->globalPosition().toPoint())) && OnClick)
        OnClick(this);
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), point.x(), point.y());
    event->accept();
    HandleRelease(event->button(), event->modifiers(), point);
}

void TGxCustomGrid::HandleRelease(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)
{
    if (button != m_pressButton) {
        // The release of a press left to the toolkit: only rolling ends at any release.
        if (m_interaction == giRoll)
            m_interaction = giNone;
        return;
    }
    m_pressButton = Qt::NoButton;
    switch (std::exchange(m_interaction, giNone)) {
    case giColumnResize:
        EndResize();
        return;
    case giColumnDrag:
        EndDrag(point);
        return;
    case giRowResize:
        EndRowResize(point);
        return;
    case giRowDrag:
        EndRowMove(point);
        return;
    case giHeaderPress:
        ReleaseAt(button, shift, point, EndHeaderPress());
        return;
    case giNone:
    case giCellPress:
    case giRoll:
        ReleaseAt(button, shift, point, -1);
        return;
    }
}

// The header held is let go: wherever the pointer is, that is its header click.
int TGxCustomGrid::EndHeaderPress()
{
    m_heldColumn = nullptr;
    const int pressedHeader = PressedHeaderColumn();
    if (pressedHeader < 0)
        return -1;
    SetPressedHeaderColumn(-1);
    if (OnHeaderClick)
        OnHeaderClick(this, pressedHeader);
    return pressedHeader;
}

// What a left release does where it lands.
void TGxCustomGrid::ReleaseAt(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point,
                              int pressedHeader)
{
    if (button != Qt::LeftButton)
        return;
    switch (HitTestArea(point.x(), point.y())) {
    case haBody:
        CellRelease(button, shift, point);
        break;
    case haFooter: {
        const int col = GetColumnAtX(point.x());
        if (col >= 0 && OnFooterClick)
            OnFooterClick(this, col);
        break;
    }
    case haHeader:
        if (pressedHeader >= 0 && GetColumnAtX(point.x()) == pressedHeader)
            HeaderRelease(point);
        break;
    case haIndicator:
    case haInput:
    case haNone:
        break;
    }
}

void TGxCustomGrid::CellRelease(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point)
{
    const TGridCoord cell = GetCellAt(point.x(), point.y());
    if (!ValidCell(cell) || cell != m_pressedCell)
        return;
    if (OnCellClick)
        OnCellClick(this, cell.Col, cell.Row);
    // The click handler may have changed the rows or the columns.
    if (!ValidCell(cell))
        return;
    QPoint at = point;
    if (ColumnCanHandle(Columns().Items(cell.Col)))
        if (TColumnPlay* play = PlayAt(cell, at))
            play->MouseUp(button, shift, at.x(), at.y());
}

// A click on a sortable header sorts by it; on the column already sorted it turns the order.
void TGxCustomGrid::HeaderRelease(QPoint point)
{
    TGxCustomColumn& column = Columns().Items(GetColumnAtX(point.x()));
    if (!column.Options().contains(coCanSort))
        return;
    if (column.Sorted())
        column.SetSortKind(column.SortKind() == skAscending ? skDescending : skAscending);
    else
        column.SetSorted(true);
}

void TGxCustomGrid::mouseMoveEvent(QMouseEvent* event)
{
    TGxCustomGridControl::mouseMoveEvent(event);
    const QPoint point = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->modifiers(), point.x(), point.y());
    event->accept();
    HandleMove(event->modifiers(), point);
}

void TGxCustomGrid::HandleMove(Qt::KeyboardModifiers shift, QPoint point)
{
    switch (m_interaction) {
    case giColumnResize:
        TrackResize(point.x());
        return;
    case giColumnDrag:
        TrackDrag(point);
        return;
    case giRowResize:
        TrackRowResize(point);
        return;
    case giRowDrag:
        if (Travelled(point))
            TrackRowMove(point);
        return;
    case giRoll:
        // The scroll control shows the roll cursors; hover cursors and hints would replace them.
        return;
    case giHeaderPress:
        if (m_heldColumn && Travelled(point) && StartDrag(point))
            return;
        break;
    case giNone:
    case giCellPress:
        break;
    }
    Hover(shift, point);
}
