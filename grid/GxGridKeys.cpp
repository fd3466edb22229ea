// The grid's keys: moving the current cell by arrows, pages, Home and End and Tab, Enter's
// move, the current column's interactor and the incremental search.
#include "grid/GxCustomGrid.h"
#include "grid/GxDisplays.h"

#include <QKeyEvent>
#include <algorithm>

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
    if (!column.Options().contains(coEditing))
        IncrementalSearch(key);
}

void TGxCustomGrid::IncrementalSearch(QChar key)
{
    const auto& columns = Columns().ItemsList();
    const auto found = std::find_if(columns.begin(), columns.end(), [](const auto& column) {
        return column->Options().contains(coSearchColumn);
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
