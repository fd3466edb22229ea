// The grid's mouse and keyboard: selection, check boxes, header clicks and sorting, column
// resizing and moving, row resizing and moving in the indicator, hover hints and the incremental
// search.
#include "grid/GxCells.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxColumnDragBox.h"
#include "grid/GxCustomGrid.h"
#include "grid/GxDisplays.h"
#include "grid/GxDragArrow.h"
#include "platform/Cursors.h"
#include "platform/SysUtils.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>
#include <utility>

namespace {

// The pointer must travel this far from the press before a held header starts to move.
constexpr int kDragThreshold = 3;
constexpr int kSearchTimeout = 700;
constexpr int kCellHintWidth = 250;

// The lines are children of the grid itself, laid over the viewport: Qt deletes them with the
// grid, and a replaced viewport never takes them along.
QWidget* TrackLine(QWidget* grid)
{
    auto* line = new QWidget(grid);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, Qt::black);
    line->setPalette(palette);
    line->hide();
    return line;
}

bool HasColumnOption(const TGxCustomColumn& column, TColumnOption option)
{
    return column.Options().contains(option);
}

} // namespace

TGxCustomGrid::TGxCustomGrid(QWidget* parent) : TGxCustomGridControl(parent)
{
    TCursors& cursors = TCursors::Screen();
    cursors.SetCursor(crHorzSplit, LoadCursorResource(QStringLiteral("HORZSPLIT")));
    cursors.SetCursor(crColumnNoDrag, LoadCursorResource(QStringLiteral("COLUMNNODRAG")));
    cursors.SetCursor(crVertSplit, LoadCursorResource(QStringLiteral("VERTSPLIT")));
    cursors.SetCursor(crIndicatorSelect, LoadCursorResource(QStringLiteral("INDICATORSELECT")));
    viewport()->setMouseTracking(true);
    for (QWidget*& line : m_trackLines)
        line = TrackLine(this);
    m_rowTrackLine = TrackLine(this);
    m_searchTimer.setSingleShot(true);
    m_searchTimer.setInterval(kSearchTimeout);
    connect(&m_searchTimer, &QTimer::timeout, this, [this] { m_searchText.clear(); });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive) {
                    DropInputStates();
                    InvalidateSelection();
                }
            });
}

TGxCustomGrid::~TGxCustomGrid() = default;

// --- Hit tests ---

TGridHitArea TGxCustomGrid::HitTestArea(int x, int y)
{
    const QPoint point(x, y);
    const TGridOptions options = Options();
    if (options.contains(goHeader) && GetHeaderRect().contains(point))
        return haHeader;
    if (options.contains(goInput) && GetInputRect().contains(point))
        return haInput;
    if (GetBodyRect().contains(point))
        return haBody;
    if (options.contains(goFooter) && GetFooterRect().contains(point))
        return haFooter;
    if (options.contains(goIndicator) && GetIndicatorRect().contains(point))
        return haIndicator;
    return haNone;
}

TGridCoord TGxCustomGrid::GetCellAt(int x, int y)
{
    TGridCoord cell;
    cell.Col = GetColumnAtX(x);
    // The row is looked for across the body's whole width, the indicator's too.
    const QRect body = GetBodyRect();
    if (y >= body.top() && y <= body.bottom())
        cell.Row = GetRowAtY(y);
    return cell;
}

bool TGxCustomGrid::IsFixed(const TGxCustomColumn& column) const
{
    return column.Position() < Columns().FixedCols();
}

int TGxCustomGrid::ScrollOf(const TGxCustomColumn& column) const
{
    return IsFixed(column) ? 0 : HorzOffset();
}

TGxCustomColumn* TGxCustomGrid::ResizeColumnAt(QPoint point)
{
    const int fixedRight = GetFixedAreaRect().left();
    for (TGxCustomColumn* column : Columns().PositionList()) {
        if (!column->Visible() || HasColumnOption(*column, coFixedSize))
            continue;
        const int right = column->ColumnLeft() + column->Width() - ScrollOf(*column);
        if (!IsFixed(*column) && right < fixedRight)
            continue;
        if (point.x() >= right - 3 && point.x() <= right + 2)
            return column;
    }
    return nullptr;
}

// The row whose bottom edge is under the pointer in the indicator, -1 when none.
int TGxCustomGrid::RowEdgeAt(QPoint point)
{
    const int row = GetRowAtY(point.y());
    if (row < 0)
        return -1;
    const int bottom = GetRowTop(row) + GetRowHeight(row) + LineSpacing().Gap;
    return point.y() >= bottom - 3 ? row : -1;
}

bool TGxCustomGrid::ValidCell(TGridCoord cell) const
{
    return cell.Col >= 0 && cell.Col < Columns().Count() && cell.Row >= 0 && cell.Row < RowCount();
}

// Whether a click or a key may reach the column's interactor.
bool TGxCustomGrid::ColumnCanHandle(const TGxCustomColumn& column) const
{
    return column.Play() && !m_readOnly &&
           (HasColumnOption(column, coEditing) ||
            (column.ColumnBehaviour() & cbPlayWithoutEditing));
}

// --- Mouse ---

// Hands a pointer action to the cell's interactor, with the point relative to the cell.
template <typename Action>
void TGxCustomGrid::PassToPlay(TGridCoord cell, QPoint point, Action action)
{
    if (TColumnPlay* play = PreparePlay(cell.Col, cell.Row))
        action(*play, point - play->CellRect().topLeft());
}

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
    if (edge && (edge->ColumnBehaviour() & cbSizeToContent)) {
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
    if (ColumnCanHandle(Columns().Items(cell.Col)))
        PassToPlay(cell, point, [&](TColumnPlay& play, QPoint at) {
            play.MouseDown(button, shift, at.x(), at.y());
        });
    SelectCell(cell.Col, cell.Row, shift);
    if (GetCellRect(cell.Col, cell.Row).bottom() > GetBodyRect().bottom())
        ScrollRowIntoView(cell.Row);
}

void TGxCustomGrid::HeaderPress(QPoint point)
{
    const int col = GetColumnAtX(point.x());
    if (col < 0 || !HasColumnOption(Columns().Items(col), coCanClick))
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
    if (ColumnCanHandle(Columns().Items(cell.Col)))
        PassToPlay(cell, point, [&](TColumnPlay& play, QPoint at) {
            play.MouseUp(button, shift, at.x(), at.y());
        });
}

// A click on a sortable header sorts by it; on the column already sorted it turns the order.
void TGxCustomGrid::HeaderRelease(QPoint point)
{
    TGxCustomColumn& column = Columns().Items(GetColumnAtX(point.x()));
    if (!HasColumnOption(column, coCanSort))
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
    if (ValidCell(cell) && Columns().Items(cell.Col).Play())
        PassToPlay(cell, point,
                   [&](TColumnPlay& play, QPoint at) { play.MouseMove(shift, at.x(), at.y()); });
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
    if (HasColumnOption(column, coShowTextFitHint) &&
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

void TGxCustomGrid::contextMenuEvent(QContextMenuEvent* event)
{
    bool handled = false;
    if (OnContextPopup)
        OnContextPopup(this, viewport()->mapFromGlobal(event->globalPos()), handled);
    if (!handled && m_popupMenu)
        m_popupMenu->popup(event->globalPos());
    event->accept();
}

void TGxCustomGrid::enterEvent(QEnterEvent* event)
{
    TGxCustomGridControl::enterEvent(event);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TGxCustomGrid::leaveEvent(QEvent* event)
{
    TGxCustomGridControl::leaveEvent(event);
    if (m_interaction == giRowDrag) {
        m_interaction = giNone;
        m_heldRow = -1;
        m_rowTrackLine->hide();
    }
    HideHint();
    ResetHover();
    if (HotHeaderColumn() >= 0)
        SetHotHeaderColumn(-1);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// --- Column resizing ---

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

// --- Column moving ---

bool TGxCustomGrid::StartDrag(QPoint point)
{
    TGxCustomColumn& column = *m_heldColumn;
    const bool locked = Options().contains(goLockFixedCols) && IsFixed(column);
    if (HasColumnOption(column, coDisableMoving) || Options().contains(goDisableColumnMoving) ||
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

// --- Hints ---

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

void TGxCustomGrid::DropInputStates()
{
    m_interaction = giNone;
    m_pressButton = Qt::NoButton;
    m_pressPoint = {};
    m_pressedCell = {};
    m_heldColumn = nullptr;
    m_resizeDelta = 0;
    m_heldRow = -1;
    for (QWidget* line : m_trackLines)
        line->hide();
    m_rowTrackLine->hide();
    m_dragBox.reset();
    for (auto& arrow : m_dragArrows)
        arrow.reset();
    if (PressedHeaderColumn() >= 0)
        SetPressedHeaderColumn(-1);
    // A roll whose release never comes would scroll on without end.
    if (Rolling())
        StopRoll();
    viewport()->unsetCursor();
}

void TGxCustomGrid::ColumnDeleted(TGxCustomColumn& column, int index)
{
    if (m_heldColumn == &column || (m_interaction != giNone && PressedHeaderColumn() == index))
        DropInputStates();
    TGxCustomGridControl::ColumnDeleted(column, index);
}

// --- Focus ---

void TGxCustomGrid::focusInEvent(QFocusEvent* event)
{
    TGxCustomGridControl::focusInEvent(event);
    if (OnEnter)
        OnEnter(this);
}

void TGxCustomGrid::focusOutEvent(QFocusEvent* event)
{
    TGxCustomGridControl::focusOutEvent(event);
    HideHint();
    DropInputStates();
    ResetHover();
    if (HotHeaderColumn() >= 0)
        SetHotHeaderColumn(-1);
    if (OnExit)
        OnExit(this);
}

// --- Keyboard ---

bool TGxCustomGrid::WantsTabKey() const
{
    return m_wantTabs && Columns().VisibleCount() > 0 && RowCount() > 0;
}

bool TGxCustomGrid::event(QEvent* event)
{
    // Tab reaches the key handling only when the grid wants it; otherwise it moves the focus.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && WantsTabKey()) {
            keyPressEvent(key);
            return true;
        }
    }
    return TGxCustomGridControl::event(event);
}

void TGxCustomGrid::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyDown)
        OnKeyDown(this, key, event->modifiers());
    if (key == 0 || Options().contains(goDisableKeys)) {
        event->accept();
        return;
    }
    if (HandleKey(key, event->modifiers())) {
        event->accept();
        return;
    }
    const QString text = event->text();
    if (text.size() != 1 || (!text[0].isPrint() && text[0] != u'\r')) {
        event->ignore();
        return;
    }
    QChar character = text[0];
    if (OnKeyPress)
        OnKeyPress(this, character);
    if (!character.isNull())
        HandleCharacter(character);
    event->accept();
}

void TGxCustomGrid::keyReleaseEvent(QKeyEvent* event)
{
    int key = event->key();
    if (OnKeyUp)
        OnKeyUp(this, key, event->modifiers());
    TGxCustomGridControl::keyReleaseEvent(event);
}

bool TGxCustomGrid::HandleKey(int key, Qt::KeyboardModifiers shift)
{
    switch (key) {
    case Qt::Key_Up:
        MoveVertically(-1);
        return true;
    case Qt::Key_Down:
        MoveVertically(1);
        return true;
    case Qt::Key_Left:
        MoveHorizontally(-1, mkArrows);
        return true;
    case Qt::Key_Right:
        MoveHorizontally(1, mkArrows);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        HomeEnd(key == Qt::Key_End, shift);
        return true;
    case Qt::Key_PageUp:
        PageUp();
        return true;
    case Qt::Key_PageDown:
        PageDown();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!WantsTabKey())
            return false;
        MoveByTab(key == Qt::Key_Tab && !(shift & Qt::ShiftModifier));
        return true;
    default:
        return false;
    }
}

void TGxCustomGrid::HandleCharacter(QChar key)
{
    if (key == QChar(0x1B))
        return;
    if (key == u'\r') {
        if (!m_wantReturns)
            return;
        switch (m_moveDirection) {
        case mdDown:
            MoveVertically(1);
            break;
        case mdUp:
            MoveVertically(-1);
            break;
        case mdLeft:
            MoveHorizontally(-1, mkEnter);
            break;
        case mdRight:
            MoveHorizontally(1, mkEnter);
            break;
        case mdNone:
            break;
        }
        return;
    }
    const int col = SelectedColumn();
    const int row = SelectedRow();
    if (col < 0 || col >= Columns().Count() || row < 0 || row >= RowCount())
        return;
    const TGxCustomColumn& column = Columns().Items(col);
    if (ColumnCanHandle(column)) {
        if (TColumnPlay* play = PreparePlay(col, row))
            play->KeyPress(key);
    }
    if (!HasColumnOption(column, coEditing))
        IncrementalSearch(key);
}

void TGxCustomGrid::IncrementalSearch(QChar key)
{
    const auto& columns = Columns().ItemsList();
    const auto found = std::find_if(columns.begin(), columns.end(), [](const auto& column) {
        return HasColumnOption(*column, coSearchColumn);
    });
    if (found == columns.end() || RowCount() == 0)
        return;
    const int col = (*found)->Index();
    m_searchText += key;
    m_searchTimer.start();
    const int count = RowCount();
    const int current = std::max(SelectedRow(), 0);
    // From the row after the current one round to the current row itself.
    for (int step = 1; step <= count; ++step) {
        const int row = (current + step) % count;
        if (!RowAt(row).Shown())
            continue;
        if (CellForPaint(col, row).AsString().startsWith(m_searchText, Qt::CaseInsensitive)) {
            MoveToRow(row);
            return;
        }
    }
}

void TGxCustomGrid::MoveToRow(int row, Qt::KeyboardModifiers shift)
{
    SelectCell(SelectedColumn(), row, shift);
    if (SelectedRow() == row)
        ScrollRowIntoView(row);
}

// The nearest shown row from the row in the direction of the step; -1 when there is none.
int TGxCustomGrid::NextShownRow(int row, int step)
{
    for (int next = row + step; next >= 0 && next < RowCount(); next += step)
        if (RowAt(next).Shown())
            return next;
    return -1;
}

// The row count shown rows away (negative: up), stopping at the first or last shown row.
int TGxCustomGrid::StepShownRows(int row, int count)
{
    const int step = count < 0 ? -1 : 1;
    for (int moved = 0; moved != count; moved += step) {
        const int next = NextShownRow(row, step);
        if (next < 0)
            break;
        row = next;
    }
    return row;
}

// Up and Down: the nearest shown row that OnBeforeSelect accepts becomes current.
void TGxCustomGrid::MoveVertically(int step)
{
    if (RowCount() == 0)
        return;
    int row = SelectedRow();
    if (row < 0) {
        row = NextShownRow(-1, 1);
        if (row >= 0)
            MoveToRow(row);
        return;
    }
    for (int next = NextShownRow(row, step); next >= 0; next = NextShownRow(next, step)) {
        MoveToRow(next);
        if (SelectedRow() == next)
            return;
    }
}

void TGxCustomGrid::MoveHorizontally(int step, TMoveSelectionKey key)
{
    if (Options().contains(goSelectFullRow) && !Options().contains(goInput) &&
        !AppearanceOptions().contains(aoIndicateSelectedCell)) {
        TGxScrollBar& bar = HorzScrollBar();
        bar.SetPosition(bar.Position() + step * bar.SmallChange());
        return;
    }
    const int current = SelectedColumn();
    if (current < 0 || current >= Columns().Count())
        return;
    const TGxCustomColumn& column = Columns().Items(current);
    TGxCustomColumn* next =
        step < 0 ? Columns().PriorVisibleColumn(column) : Columns().NextVisibleColumn(column);
    if (!next)
        return;
    int col = next->Index();
    if (OnSelectionMove)
        OnSelectionMove(this, col, SelectedRow(), key);
    SelectCell(col, SelectedRow());
    if (col >= 0 && col < Columns().Count())
        ScrollColumnIntoView(Columns().Items(col));
}

void TGxCustomGrid::ScrollColumnIntoView(const TGxCustomColumn& column)
{
    if (IsFixed(column) || !column.Visible())
        return;
    TGxScrollBar& bar = HorzScrollBar();
    const int fixedRight = GetFixedAreaRect().left();
    const int left = column.ColumnLeft() - bar.Position();
    const int right = left + column.Width();
    if (left < fixedRight)
        bar.SetPosition(bar.Position() - (fixedRight - left));
    else if (right > viewport()->width())
        bar.SetPosition(bar.Position() + std::min(right - viewport()->width(), left - fixedRight));
}

void TGxCustomGrid::MoveByTab(bool forward)
{
    const TGxColumns& columns = Columns();
    TGxCustomColumn* first = columns.FirstVisibleColumn();
    TGxCustomColumn* last = columns.LastVisibleColumn();
    if (!first)
        return;
    int row = SelectedRow() < 0 ? NextShownRow(-1, 1) : SelectedRow();
    const int current = SelectedColumn();
    TGxCustomColumn* column =
        current >= 0 && current < columns.Count() ? &columns.Items(current) : first;
    TGxCustomColumn* next =
        forward ? columns.NextVisibleColumn(*column) : columns.PriorVisibleColumn(*column);
    if (!next) {
        const int nextRow = NextShownRow(row, forward ? 1 : -1);
        if (nextRow >= 0) {
            row = nextRow;
            next = forward ? first : last;
        } else if (forward) {
            row = NextShownRow(-1, 1);
            next = first;
            if (m_tabLeaveControl) {
                SelectCell(next->Index(), row);
                FocusNextControl(true);
                return;
            }
        } else {
            if (m_tabLeaveControl)
                FocusNextControl(false);
            return;
        }
    }
    int col = next->Index();
    if (OnSelectionMove)
        OnSelectionMove(this, col, row, mkTab);
    SelectCell(col, row);
    if (SelectedRow() >= 0)
        ScrollRowIntoView(SelectedRow());
    if (col >= 0 && col < columns.Count())
        ScrollColumnIntoView(columns.Items(col));
}

void TGxCustomGrid::PageUp()
{
    const int row = SelectedRow();
    if (row < 0 || RowCount() == 0)
        return;
    if (row > TopRow()) {
        MoveToRow(TopRow());
        return;
    }
    const int page = std::max(1, RowsPerPage());
    const int target = StepShownRows(row, -page);
    if (target == row)
        return;
    SelectCell(SelectedColumn(), target);
    if (SelectedRow() != target)
        return;
    ScrollRows(-page);
    ScrollRowIntoView(target);
}

void TGxCustomGrid::PageDown()
{
    const int row = SelectedRow();
    if (row < 0 || RowCount() == 0)
        return;
    const int page = std::max(1, RowsPerPage());
    const int lastWhole = StepShownRows(TopRow(), page - 1);
    if (row < lastWhole) {
        MoveToRow(lastWhole);
        return;
    }
    const int target = StepShownRows(row, page);
    if (target == row)
        return;
    // Fewer than a page of rows below: the last row, scrolled just into view.
    if (target == NextShownRow(RowCount(), -1)) {
        MoveToRow(target);
        return;
    }
    SelectCell(SelectedColumn(), target);
    if (SelectedRow() != target)
        return;
    ScrollRows(page);
    ScrollRowIntoView(target);
}

void TGxCustomGrid::HomeEnd(bool end, Qt::KeyboardModifiers shift)
{
    const bool range = (shift & Qt::ShiftModifier) && Options().contains(goMultiSelect);
    if (m_homeEndBehaviour == hebTopBottom) {
        const int row = end ? NextShownRow(RowCount(), -1) : NextShownRow(-1, 1);
        if (row >= 0)
            MoveToRow(row, range ? shift : Qt::KeyboardModifiers());
        return;
    }
    TGxCustomColumn* column = end ? Columns().LastVisibleColumn() : Columns().FirstVisibleColumn();
    if (!column)
        return;
    SelectCell(column->Index(), SelectedRow(), range ? shift : Qt::KeyboardModifiers());
    ScrollColumnIntoView(*column);
}
