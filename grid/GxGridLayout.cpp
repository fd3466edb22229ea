// The grid's geometry and scrolling: where strips, rows and cells lie, the scroll ranges, and
// what a change of scroll position moves.
#include "grid/GxCustomGrid.h"

#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int kIndicatorWidth = TGxColumns::kIndicatorWidth;
// The input line's cells are this much higher than InputSize; the footer's strip has this much
// above its cells.
constexpr int kInputExtra = 6;
constexpr int kFooterExtra = 4;

QRect Ltrb(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

void TGxCustomGridControl::UpdateLineSpacing()
{
    m_lineSpacing = {};
    if (m_options.contains(goGrid)) {
        if (m_gridLinesStyle != lsHorizontalOnly && m_gridLinesStyle != lsActiveHorzOnly) {
            m_lineSpacing.Right = 1;
            m_lineSpacing.Left = m_appearanceOptions.contains(ao3DGridLines) ? 1 : 0;
        }
        if (m_gridLinesStyle != lsVerticalOnly) {
            m_lineSpacing.Bottom = 1;
            m_lineSpacing.Top = m_appearanceOptions.contains(ao3DGridLines) ? 1 : 0;
        }
    }
    m_lineSpacing.Gap = m_lineSpacing.Top + m_lineSpacing.Bottom;
}

int TGxCustomGridControl::IndicatorWidth() const
{
    return m_options.contains(goIndicator) ? kIndicatorWidth : 0;
}

int TGxCustomGridControl::HorzOffset() const
{
    return const_cast<TGxCustomGridControl*>(this)->HorzScrollBar().Position();
}

QRect TGxCustomGridControl::GetHeaderRect() const
{
    const int left = IndicatorWidth();
    return Ltrb(left, 0, left + m_columns.VisibleWidth() - HorzOffset(), m_headerSize);
}

QRect TGxCustomGridControl::GetInputRect() const
{
    const int left = IndicatorWidth();
    const int top = m_options.contains(goHeader) ? m_headerSize : 0;
    return Ltrb(left, top, left + m_columns.VisibleWidth() - HorzOffset(),
                top + m_inputSize + kInputExtra + m_lineSpacing.Bottom);
}

QRect TGxCustomGridControl::GetFooterRect() const
{
    const int left = IndicatorWidth();
    const int height = viewport()->height();
    return Ltrb(left, height - m_footerSize - kFooterExtra - m_lineSpacing.Bottom,
                left + m_columns.VisibleWidth() - HorzOffset(), height);
}

QRect TGxCustomGridControl::GetIndicatorRect() const
{
    return Ltrb(0, 0, kIndicatorWidth, viewport()->height());
}

QRect TGxCustomGridControl::GetBodyRect() const
{
    const int left = IndicatorWidth();
    int top = m_options.contains(goHeader) ? m_headerSize : 0;
    if (m_options.contains(goInput))
        top += m_inputSize + kInputExtra + m_lineSpacing.Bottom;
    const int right = std::min(left + m_columns.VisibleWidth() - HorzOffset(), viewport()->width());
    const int bottom = m_options.contains(goFooter) ? GetFooterRect().top() : viewport()->height();
    return Ltrb(left, top, right, bottom);
}

QRect TGxCustomGridControl::GetFixedAreaRect() const
{
    return Ltrb(m_columns.FixedWidth() + IndicatorWidth(), 0, viewport()->width(),
                viewport()->height());
}

// The pixels a row takes in the body: its height and the lines around it, nothing when it is
// not shown.
int TGxCustomGridControl::RowExtent(int row)
{
    if (row >= RowCount())
        return m_rowSize + m_lineSpacing.Gap;
    if (!RowAt(row).Shown())
        return 0;
    return GetRowHeight(row) + m_lineSpacing.Gap;
}

int TGxCustomGridControl::GetRowTop(int row)
{
    int top = GetBodyRect().top() + m_lineSpacing.Top;
    for (int index = std::max(m_topRow, 0); index < row; ++index)
        top += RowExtent(index);
    return top;
}

QRect TGxCustomGridControl::GetCellRect(int ACol, int ARow)
{
    const TGxCustomColumn& column = m_columns.Items(ACol);
    int left = column.ColumnLeft();
    if (column.Position() >= m_columns.FixedCols())
        left -= HorzOffset();
    const int top = GetRowTop(ARow);
    const int height = ARow >= 0 && ARow < RowCount() ? GetRowHeight(ARow) : m_rowSize;
    return QRect(left, top, column.Width(), height);
}

int TGxCustomGridControl::RowsPerPage()
{
    const QRect body = GetBodyRect();
    int y = body.top();
    const int bottom = body.top() + body.height();
    int count = 0;
    for (int row = std::max(m_topRow, 0); row < RowCount(); ++row) {
        if (!RowAt(row).Shown())
            continue;
        y += GetRowHeight(row) + m_lineSpacing.Gap;
        if (y > bottom)
            break;
        ++count;
    }
    return count;
}

int TGxCustomGridControl::GetColumnAtX(int x) const
{
    const int offset = HorzOffset();
    for (const TGxCustomColumn* column : m_columns.PositionList()) {
        if (!column->Visible())
            continue;
        const int h = column->Position() < m_columns.FixedCols() ? 0 : offset;
        const int left = column->ColumnLeft() - h;
        if (left <= x && x <= left + column->Width())
            return column->Index();
    }
    return -1;
}

int TGxCustomGridControl::GetRowAtY(int y)
{
    const QRect body = GetBodyRect();
    if (y < body.top() || y >= body.top() + body.height())
        return -1;
    int top = body.top();
    for (int row = std::max(m_topRow, 0); row < RowCount(); ++row) {
        if (!RowAt(row).Shown())
            continue;
        const int height = GetRowHeight(row);
        if (top + height + m_lineSpacing.Top >= y)
            return row;
        top += height + m_lineSpacing.Gap;
        if (top > body.top() + body.height())
            break;
    }
    return -1;
}

// --- Scroll ranges ----------------------------------------------------------------------------

void TGxCustomGridControl::UpdateScrollRanges()
{
    UpdateHorzScrollBar();
    UpdateVertScrollBar();
}

void TGxCustomGridControl::UpdateHorzScrollBar()
{
    TGxScrollBar& bar = HorzScrollBar();
    bar.SetMax(m_columns.VisibleWidth() + IndicatorWidth());
    bar.SetPageSize(viewport()->width() + 1);
    bar.SetLargeChange(bar.PageSize() - 10);
    const int last = std::max(0, bar.Max() - bar.PageSize() + 1);
    bar.SetPosition(std::min(bar.Position(), last));
}

void TGxCustomGridControl::UpdateVertScrollBar()
{
    TGxScrollBar& bar = VertScrollBar();
    m_topRow = std::clamp(m_topRow, 0, std::max(RowCount() - 1, 0));
    const int maximum = RowCount() == 1 ? 0 : VisibleRowCount();
    const int fit = RowsPerPage();
    if (fit < maximum) {
        bar.SetMax(maximum);
        bar.SetPageSize(fit + 1);
        bar.SetLargeChange(bar.PageSize());
    } else {
        bar.SetMax(0);
    }
    if (fit + 1 >= maximum)
        bar.SetPosition(ShownRowsBetween(0, m_topRow));
    // Rows deleted above or below may have left the position off TopRow; where that costs
    // nothing to know, put it right without moving any pixels.
    if (VisibleRowCount() == RowCount() && bar.Position() != m_topRow) {
        bar.BeginUpdate();
        bar.SetPosition(m_topRow);
        bar.EndUpdate();
    }
}

int TGxCustomGridControl::ShownRowsBetween(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, RowCount());
    if (first >= last)
        return 0;
    if (VisibleRowCount() == RowCount())
        return last - first;
    int count = 0;
    for (int row = first; row < last; ++row)
        count += RowAt(row).Shown() ? 1 : 0;
    return count;
}

int TGxCustomGridControl::StepShownRows(int row, int count, int& pixels)
{
    pixels = 0;
    const int last = std::max(RowCount() - 1, 0);
    row = std::clamp(row, 0, last);
    // A move of more than the body's height repaints all of it anyway: measuring the rest
    // would be work for rows nobody sees. Without hidden rows the target is plain arithmetic.
    const int enough = GetBodyRect().height();
    const bool allShown = VisibleRowCount() == RowCount();
    if (count > 0) {
        while (count > 0 && row < last) {
            if (allShown && pixels > enough)
                return std::min(last, row + count);
            if (RowAt(row).Shown()) {
                pixels += RowExtent(row);
                --count;
            }
            ++row;
        }
        while (row < last && !RowAt(row).Shown())
            ++row;
        return row;
    }
    while (count < 0 && row > 0) {
        if (allShown && pixels > enough)
            return std::max(0, row + count);
        --row;
        if (RowAt(row).Shown()) {
            pixels += RowExtent(row);
            ++count;
        }
    }
    return row;
}

int TGxCustomGridControl::GetHorzScrollDistance(int oldPosition, int newPosition)
{
    return oldPosition - newPosition;
}

int TGxCustomGridControl::GetVertScrollDistance(int oldPosition, int newPosition)
{
    if (RowCount() == 0)
        return 0;
    int pixels = 0;
    const int target = StepShownRows(m_topRow, newPosition - oldPosition, pixels);
    m_topRow = target;
    return newPosition > oldPosition ? -pixels : pixels;
}

void TGxCustomGridControl::ScrollRows(int count)
{
    if (count != 0)
        VertScrollBar().MoveBy(count);
}

int TGxCustomGridControl::LastWhollyVisibleRow()
{
    const int fit = RowsPerPage();
    if (fit == 0)
        return m_topRow - 1;
    int pixels = 0;
    return StepShownRows(m_topRow, fit - 1, pixels);
}

void TGxCustomGridControl::ScrollRowIntoView(int row)
{
    if (!ValidRow(row))
        return;
    if (row < m_topRow) {
        ScrollRows(-ShownRowsBetween(row, m_topRow));
        return;
    }
    const int lastVisible = LastWhollyVisibleRow();
    if (row > lastVisible)
        ScrollRows(ShownRowsBetween(lastVisible + 1, row + 1));
}

void TGxCustomGridControl::ScrollMessage(Qt::Orientation kind, TScrollRequest request)
{
    if (kind == Qt::Vertical)
        UpdateVertScrollBar();
    TGxScrollControl::ScrollMessage(kind, request);
}

void TGxCustomGridControl::DoMouseWheel(int notches, Qt::KeyboardModifiers modifiers)
{
    const bool page = modifiers & Qt::ControlModifier;
    TGxScrollBar& vertical = VertScrollBar();
    TGxScrollBar& horizontal = HorzScrollBar();
    for (int notch = 0; notch < std::abs(notches); ++notch) {
        const bool down = notches > 0;
        if (vertical.HasRange() && (down ? !vertical.AtEnd() : !vertical.AtStart())) {
            ScrollMessage(Qt::Vertical,
                          down ? (page ? srPageDown : srLineDown) : (page ? srPageUp : srLineUp));
        } else if (horizontal.HasRange() && !vertical.HasRange()) {
            ScrollMessage(Qt::Horizontal,
                          down ? (page ? srPageDown : srLineDown) : (page ? srPageUp : srLineUp));
        }
    }
}

// The dotted focus frame scrolls with the pixels and would be left behind sideways: the frame's
// old place is repainted after a horizontal scroll, and the new one with it.
void TGxCustomGridControl::BeforeScroll(Qt::Orientation kind)
{
    m_focusBeforeScroll = kind == Qt::Horizontal ? FocusRect() : QRect();
}

void TGxCustomGridControl::AfterScroll(Qt::Orientation)
{
    if (m_focusBeforeScroll.isEmpty())
        return;
    const int moved = HorzScrollBar().Position() - HorzScrollBar().OldPosition();
    viewport()->update(m_focusBeforeScroll.translated(-moved, 0).adjusted(0, 0, 1, 1));
    viewport()->update(FocusRect().adjusted(0, 0, 1, 1));
    m_focusBeforeScroll = QRect();
}
