#include "grid/GxCustomGrid.h"

#include "grid/GxHeaderStyles.h"
#include "grid/GxOfficeSchemes.h"
#include "grid/GxStyleDisplays.h"
#include "grid/shared/GxThemesSupport.h"

#include <QFrame>
#include <QPainter>
#include <QResizeEvent>

TGxCustomGridControl::TGxCustomGridControl(QWidget* parent) : TGxScrollControl(parent)
{
    for (size_t style = 0; style < m_styleDisplays.size(); ++style)
        m_styleDisplays[style] = CreateStyleDisplay(THeaderStyle(style), *this);
    m_styleDisplay = m_styleDisplays[hsAuto].get();
    resize(250, 150);
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    HorzScrollBar().SetSmallChange(5);
    HorzScrollBar().SetLargeChange(10);
    VertScrollBar().SetLargeChange(10);
    UpdateLineSpacing();
}

TGxCustomGridControl::~TGxCustomGridControl() = default;

// --- Appearance ---------------------------------------------------------------------------

void TGxCustomGridControl::SetAppearanceOptions(TAppearanceOptions value)
{
    if (value == m_appearanceOptions)
        return;
    m_appearanceOptions = value;
    UpdateLineSpacing();
    Invalidate();
}

void TGxCustomGridControl::SetHeaderSize(int value)
{
    SetAndInvalidate(m_headerSize, std::max(value, 0));
}

void TGxCustomGridControl::SetGridLinesStyle(TGridLinesStyle value)
{
    if (value == m_gridLinesStyle)
        return;
    m_gridLinesStyle = value;
    UpdateLineSpacing();
    Invalidate();
}

void TGxCustomGridControl::SetHeaderStyle(THeaderStyle value)
{
    if (value == m_headerStyle)
        return;
    m_headerStyle = value;
    SelectStyleDisplay();
}

void TGxCustomGridControl::SelectStyleDisplay()
{
    m_styleDisplay = m_styleDisplays[size_t(m_headerStyle)].get();
    m_styleDisplay->SetCanvas(m_canvas);
    Invalidate();
    // The border's colour may change with the style.
    update();
}

bool TGxCustomGridControl::event(QEvent* event)
{
    const bool handled = TGxScrollControl::event(event);
    if (event->type() == QEvent::Paint && m_borderStyle == bsSingle &&
        HasOfficeBorder(m_headerStyle)) {
        QPainter painter(this);
        painter.setPen(ColorToQColor(OfficeSchemeColor(oeBorder)));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    return handled;
}

void TGxCustomGridControl::SetHighlightedTextColor(TColor value)
{
    if (value == m_highlightedTextColor)
        return;
    m_highlightedTextColor = value;
    InvalidateSelection();
}

void TGxCustomGridControl::SetBorderStyle(TBorderStyle value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    setFrameStyle(value == bsSingle ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
}

void TGxCustomGridControl::SetHideScrollBar(bool value)
{
    m_hideScrollBar = value;
    VertScrollBar().SetAutoHide(value);
}

void TGxCustomGridControl::SetFixedCols(int value)
{
    m_columns.SetFixedCols(value);
    Invalidate();
}

void TGxCustomGridControl::SetCaption(const QString& value)
{
    if (value == m_caption)
        return;
    m_caption = value;
    QRect body = GetBodyRect();
    body.setRight(viewport()->width() - 1);
    viewport()->update(body);
}

bool TGxCustomGridControl::Themed() const
{
    return m_enableVisualStyles && ThemesAvailable();
}

void TGxCustomGridControl::SetPressedHeaderColumn(int value)
{
    if (value == m_pressedHeaderColumn)
        return;
    m_pressedHeaderColumn = value;
    RefreshArea(gaHeader);
}

void TGxCustomGridControl::SetHotHeaderColumn(int value)
{
    if (value == m_hotHeaderColumn)
        return;
    m_hotHeaderColumn = value;
    RefreshArea(gaHeader);
}

QString TGxCustomGridControl::CellHint(int, int)
{
    return {};
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
    UpdateLineSpacing();
    Invalidate();
}

void TGxCustomGridControl::SetRowSize(int value)
{
    if (value <= 0 || value == m_rowSize)
        return;
    m_rowSize = value;
    RowSizeChanged(value);
    RefreshArea(gaBody);
    RefreshArea(gaInput);
    RefreshArea(gaIndicator);
    UpdateVertScrollBar();
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

// Everything may have moved: repaint it all and fit the scroll ranges. An update block defers
// the ranges to its end, and a grid that is not on screen (the hidden working tables) fits them
// when it is shown.
void TGxCustomGridControl::Invalidate()
{
    viewport()->update();
    if (m_updateCount == 0 && isVisible())
        UpdateScrollRanges();
}

void TGxCustomGridControl::RefreshArea(TGridArea area)
{
    QRect rect;
    switch (area) {
    case gaBody:
        rect = GetBodyRect();
        break;
    case gaFooter:
        if (m_options.contains(goFooter))
            rect = GetFooterRect();
        break;
    case gaHeader:
        if (m_options.contains(goHeader))
            rect = GetHeaderRect();
        break;
    case gaIndicator:
        if (m_options.contains(goIndicator))
            rect = GetIndicatorRect();
        break;
    case gaInput:
        if (m_options.contains(goInput))
            rect = GetInputRect();
        break;
    }
    if (!rect.isEmpty())
        viewport()->update(rect);
}

void TGxCustomGridControl::InvalidateCell(int ACol, int ARow)
{
    if (ACol < 0 || ACol >= m_columns.Count() || !ValidRow(ARow) || ARow < m_topRow ||
        ARow > m_lastPaintedRow)
        return;
    const QRect cell = GetCellRect(ACol, ARow);
    viewport()->update(cell.adjusted(0, 0, m_lineSpacing.Bottom, m_lineSpacing.Bottom));
}

void TGxCustomGridControl::InvalidateRow(int ARow)
{
    if (!ValidRow(ARow) || ARow < m_topRow || ARow > m_lastPaintedRow)
        return;
    const int top = GetRowTop(ARow);
    const QRect body = GetBodyRect();
    viewport()->update(
        QRect(0, top, body.left() + body.width(), GetRowHeight(ARow) + m_lineSpacing.Bottom));
}

void TGxCustomGridControl::InvalidateSelection()
{
    if (!m_options.contains(goSelectFullRow)) {
        InvalidateCell(m_selectedColumn, m_selectedRow);
        return;
    }
    for (int row = std::max(m_topRow, 0); row <= m_lastPaintedRow && row < RowCount(); ++row)
        if (RowAt(row).Selected())
            InvalidateRow(row);
}

void TGxCustomGridControl::resizeEvent(QResizeEvent* event)
{
    TGxScrollControl::resizeEvent(event);
    // Both the frame's and the viewport's resizes come here; the viewport is the client area.
    const QSize client = viewport()->size();
    if (client != m_clientSize) {
        const QSize before = m_clientSize;
        m_clientSize = client;
        if (client.width() != before.width()) {
            m_columns.AutoSizeColumns();
            UpdateHorzScrollBar();
        }
        if (client.height() != before.height())
            UpdateVertScrollBar();
        // Nothing repaints by itself on a resize; the classic control repaints the bands
        // that changed. Qt keeps no pixels across a viewport resize, so all of it repaints.
        viewport()->update();
    }
}

void TGxCustomGridControl::focusInEvent(QFocusEvent* event)
{
    TGxScrollControl::focusInEvent(event);
    InvalidateSelection();
}

void TGxCustomGridControl::focusOutEvent(QFocusEvent* event)
{
    TGxScrollControl::focusOutEvent(event);
    InvalidateSelection();
    m_pressedHeaderColumn = -1;
    m_hotHeaderColumn = -1;
}

void TGxCustomGridControl::changeEvent(QEvent* event)
{
    TGxScrollControl::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange)
        Invalidate();
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
    UpdateScrollRanges();
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

