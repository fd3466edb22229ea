// The grid's input as a whole: its cursors and tracking lines, the hit tests and geometry the
// mouse, drag and hint handling share, and what focus, deactivation and the pointer leaving
// end. The mouse is in GxGridMouse.cpp, dragging in GxGridDrag.cpp, the keys in GxGridKeys.cpp
// and hover hints in GxGridHints.cpp.
#include "grid/GxColumnDragBox.h"
#include "grid/GxCustomGrid.h"
#include "grid/GxDisplays.h"
#include "grid/GxDragArrow.h"
#include "platform/Cursors.h"

#include <QApplication>
#include <QContextMenuEvent>

namespace {

constexpr int kSearchTimeout = 700;

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
        if (!column->Visible() || column->Options().contains(coFixedSize))
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

// The cell's interactor made ready, with the point made relative to the cell; null when the
// column has none or OnBeforeEdit refuses.
TColumnPlay* TGxCustomGrid::PlayAt(TGridCoord cell, QPoint& point)
{
    TColumnPlay* play = PreparePlay(cell.Col, cell.Row);
    if (play)
        point -= play->CellRect().topLeft();
    return play;
}

// Whether a click or a key may reach the column's interactor.
bool TGxCustomGrid::ColumnCanHandle(const TGxCustomColumn& column) const
{
    return column.Play() && !m_readOnly &&
           (column.Options().contains(coEditing) ||
            column.ColumnBehaviour().contains(cbPlayWithoutEditing));
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

void TGxCustomGrid::focusInEvent(QFocusEvent* event)
{
    TGxCustomGridControl::focusInEvent(event);
    if (OnEnter)
        OnEnter(this);
}

void TGxCustomGrid::focusOutEvent(QFocusEvent* event)
{
    TGxCustomGridControl::focusOutEvent(event);
    m_hint.Hide();
    DropInputStates();
    ResetHover();
    if (HotHeaderColumn() >= 0)
        SetHotHeaderColumn(-1);
    if (OnExit)
        OnExit(this);
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
    m_hint.Hide();
    ResetHover();
    if (HotHeaderColumn() >= 0)
        SetHotHeaderColumn(-1);
    if (OnMouseLeave)
        OnMouseLeave(this);
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
