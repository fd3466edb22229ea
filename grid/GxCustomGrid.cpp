#include "grid/GxCustomGrid.h"

TGxCustomGridControl::TGxCustomGridControl(QWidget* parent) : TGxScrollControl(parent)
{
    resize(250, 150);
    setFocusPolicy(Qt::StrongFocus);
}

TGxCustomColumn* TGxCustomGridControl::ColumnByName(const QString& name) const
{
    return m_columns.ColumnByName(name);
}

void TGxCustomGridControl::SetOptions(TGridOptions value)
{
    if (value == m_options)
        return;
    const bool indicatorToggled = value.contains(goIndicator) != m_options.contains(goIndicator);
    m_options = value;
    if (indicatorToggled)
        m_columns.UpdatePositions();
    Invalidate();
}

void TGxCustomGridControl::SetRowSize(int value)
{
    if (value <= 0 || value == m_rowSize)
        return;
    m_rowSize = value;
    RowSizeChanged(value);
    Invalidate();
}

void TGxCustomGridControl::SetSelectedRow(int value)
{
    if (RowCount() == 0 || value < -1 || value >= RowCount())
        return;
    SelectCell(m_selectedColumn, value);
}

void TGxCustomGridControl::SelectCell(int ACol, int ARow, Qt::KeyboardModifiers shift)
{
    bool accept = true;
    if (OnBeforeSelect)
        OnBeforeSelect(this, ACol, ARow, accept);
    if (!accept || ACol < 0 || ACol >= m_columns.Count() || !m_columns.Items(ACol).Enabled())
        return;
    const int oldCol = m_selectedColumn;
    const int oldRow = m_selectedRow;
    m_selectedColumn = ACol;
    m_selectedRow = ARow;
    if ((oldCol != ACol || oldRow != ARow) && ValidRow(oldRow) && oldCol < m_columns.Count() &&
        OnDeselectCell)
        OnDeselectCell(this, oldCol, oldRow);
    if (RowCount() == 0)
        return;
    if (m_options.contains(goSelectFullRow))
        SelectFullRow(oldRow, ARow, shift);
    Invalidate();
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow);
}

void TGxCustomGridControl::SelectFullRow(int oldRow, int row, Qt::KeyboardModifiers shift)
{
    const bool multi = m_options.contains(goMultiSelect);
    if (multi && (shift & Qt::ShiftModifier) && ValidRow(m_anchorRow) && ValidRow(row)) {
        SelectRange(m_anchorRow, row, shift & Qt::ControlModifier);
        return;
    }
    if (multi && (shift & Qt::ControlModifier) && ValidRow(row)) {
        TRow& record = RowAt(row);
        record.SetSelected(!record.Selected());
        m_anchorRow = row;
        return;
    }
    if (row == oldRow)
        return;
    if (ValidRow(oldRow))
        RowAt(oldRow).SetSelected(false);
    if (ValidRow(row))
        RowAt(row).SetSelected(true);
    m_anchorRow = row;
}

void TGxCustomGridControl::SelectRange(int from, int to, bool keepOthers)
{
    const int low = std::min(from, to);
    const int high = std::max(from, to);
    for (int row = 0; row < RowCount(); ++row) {
        const bool inside = row >= low && row <= high;
        if (inside || !keepOthers)
            RowAt(row).SetSelected(inside);
    }
}

void TGxCustomGridControl::PlaceSelection(int ARow)
{
    m_selectedRow = ARow;
    if (m_options.contains(goSelectFullRow) && ValidRow(ARow))
        RowAt(ARow).SetSelected(true);
}

void TGxCustomGridControl::EndUpdate()
{
    if (m_updateCount == 0)
        return;
    if (--m_updateCount == 0)
        Invalidate();
}

void TGxCustomGridControl::Invalidate()
{
    viewport()->update();
}

void TGxCustomGridControl::UpdateShownRows()
{
    const int count = RowCount();
    int first = 0;
    while (first < count && !RowAt(first).Shown())
        ++first;
    int last = count - 1;
    while (last >= 0 && !RowAt(last).Shown())
        --last;
    m_firstShownRow = first < count ? first : 0;
    m_lastShownRow = last;
}

// Being shown is what first paints the grid.
void TGxCustomGridControl::showEvent(QShowEvent* event)
{
    Realise();
    TGxScrollControl::showEvent(event);
}

void TGxCustomGridControl::ColumnChanged(TGxCustomColumn& column, TColumnChange change, int value)
{
    if (!m_realised)
        return;
    switch (change) {
    case ccPosition:
        if (OnColumnMove)
            OnColumnMove(this, column.Index(), value, column.Position());
        break;
    case ccSortedOff:
        if (m_sortedColumn == &column)
            m_sortedColumn = nullptr;
        break;
    case ccWidth:
        if (OnColumnResize)
            OnColumnResize(this, column.Index());
        break;
    case ccSortedOn:
    case ccSortChanged:
        if (column.Sorted()) {
            Invalidate();
            SortColumn(column, column.SortKind() == skAscending);
            return;
        }
        break;
    case ccInputValue:
    case ccAppearance:
    case ccVisibility:
        break;
    }
    Invalidate();
}

void TGxCustomGridControl::ColumnAdded(TGxCustomColumn&) {}

void TGxCustomGridControl::ColumnDeleted(TGxCustomColumn& column, int)
{
    if (m_sortedColumn == &column)
        m_sortedColumn = nullptr;
    if (m_selectedColumn >= m_columns.Count())
        m_selectedColumn = 0;
}

void TGxCustomGridControl::ColumnsLaidOut()
{
    Invalidate();
}

void TGxCustomGridControl::RepaintColumn(TGxCustomColumn&)
{
    Invalidate();
}

int TGxCustomGridControl::ColumnsClientWidth() const
{
    return viewport()->width();
}

bool TGxCustomGridControl::IndicatorShown() const
{
    return m_options.contains(goIndicator);
}

QFont TGxCustomGridControl::ColumnsParentFont() const
{
    return font();
}

QWidget* TGxCustomGridControl::EditorParent()
{
    return viewport();
}

TGxCustomGrid::TGxCustomGrid(QWidget* parent) : TGxCustomGridControl(parent) {}
