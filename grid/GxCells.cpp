#include "grid/GxCells.h"

#include "grid/GxCellCompare.h"
#include "grid/GxColumns.h"
#include "platform/Exception.h"
#include "platform/Random.h"

#include <cmath>
#include <limits>
#include <new>
#include <numeric>

namespace {

// Rounds to the nearest integer, halves to the even neighbour; a value outside 32 bits cannot
// become an integer cell's value.
int32_t RoundToInt32(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<int32_t>::min() &&
          rounded <= std::numeric_limits<int32_t>::max()))
        throw EConvertError(
            QStringLiteral("'%1' is not a valid integer value").arg(FloatToStr(value)));
    return static_cast<int32_t>(rounded);
}

int32_t TruncToInt32(double value)
{
    return RoundToInt32(std::trunc(value));
}

bool IsHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

// The registry form: braces around groups of 8, 4, 4, 4 and 12 hexadecimal digits.
bool IsRegistryGuid(const QString& text)
{
    static constexpr int kGroupEnds[] = {9, 14, 19, 24, 37};
    if (text.size() != 38 || text.front() != u'{' || text.back() != u'}')
        return false;
    int group = 0;
    for (int i = 1; i < 37; ++i) {
        if (i == kGroupEnds[group] && group < 4) {
            if (text[i] != u'-')
                return false;
            ++group;
        } else if (!IsHexDigit(text[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

// --- TCell --------------------------------------------------------------------------------

void TCell::SetColor(TColor value)
{
    m_color = value;
    if (!m_initialising)
        Changed();
}

TFontStyles TCell::FontStyle() const
{
    TFontStyles styles;
    for (int style = fsBold; style <= fsStrikeOut; ++style)
        if (m_fontStyle & (1u << style))
            styles.include(TFontStyle(style));
    return styles;
}

void TCell::SetFontStyle(TFontStyles value)
{
    m_fontStyle = 0;
    for (int style = fsBold; style <= fsStrikeOut; ++style)
        if (value.contains(TFontStyle(style)))
            m_fontStyle |= uint8_t(1u << style);
}

void TCell::SetAsBoolean(bool)
{
    Changed();
}

void TCell::SetAsDateTime(TDateTime)
{
    Changed();
}

void TCell::SetAsFloat(double)
{
    Changed();
}

void TCell::SetAsInteger(int32_t)
{
    Changed();
}

void TCell::SetAsString(const QString&)
{
    Changed();
}

void TCell::Clear()
{
    Changed();
}

bool TCell::TextUnits(TCellText::InlineBuffer&, TTextUnits&) const
{
    return false;
}

void TCell::Changed()
{
    m_owner->CellChanged();
}

int TCell::CurrentCol() const
{
    return m_owner->CurrentCol();
}

int TCell::CurrentRow() const
{
    return m_owner->CurrentRow();
}

// --- Text-valued cells --------------------------------------------------------------------

bool TTextValueCell::AsBoolean() const
{
    return StrToBool(AsString());
}

TDateTime TTextValueCell::AsDateTime() const
{
    const QString text = AsString();
    return text.isEmpty() ? 0 : StrToDateTime(text);
}

double TTextValueCell::AsFloat() const
{
    return StrToFloat(AsString());
}

int32_t TTextValueCell::AsInteger() const
{
    return StrToInt(AsString());
}

void TTextValueCell::SetAsBoolean(bool value)
{
    SetAsString(BoolToStr(value));
}

void TTextValueCell::SetAsDateTime(TDateTime value)
{
    SetAsString(DateTimeToStr(value));
}

void TTextValueCell::SetAsFloat(double value)
{
    SetAsString(FloatToStr(value));
}

void TTextValueCell::SetAsInteger(int32_t value)
{
    SetAsString(IntToStr(value));
}

void TStringCell::SetAsString(const QString& value)
{
    m_text = TCellText(value);
    TCell::SetAsString(value);
}

void TStringCell::Clear()
{
    m_text = TCellText();
    TCell::Clear();
}

bool TStringCell::TextUnits(TCellText::InlineBuffer& buffer, TTextUnits& units) const
{
    units = m_text.Units(buffer);
    return true;
}

QString TGuidCell::AsString() const
{
    return m_value.toString(QUuid::WithBraces).toUpper();
}

void TGuidCell::SetAsString(const QString& value)
{
    if (!IsRegistryGuid(value))
        throw EConvertError(QStringLiteral("'%1' is not a valid GUID value").arg(value));
    m_value = QUuid::fromString(value);
    TCell::SetAsString(value);
}

QString TVirtualCell::AsString() const
{
    return m_column->GetVirtualText(CurrentCol(), CurrentRow());
}

void TVirtualCell::SetAsString(const QString& value)
{
    m_column->SetVirtualText(CurrentCol(), CurrentRow(), value);
    TCell::SetAsString(value);
}

// --- Boolean and integer cells ------------------------------------------------------------

void TBooleanCell::Store(bool value)
{
    m_value = value;
    Changed();
}

void TBooleanCell::SetAsBoolean(bool value)
{
    Store(value);
}

void TBooleanCell::SetAsDateTime(TDateTime)
{
    Store(false);
}

void TBooleanCell::SetAsFloat(double value)
{
    Store(value != 0);
}

void TBooleanCell::SetAsInteger(int32_t value)
{
    Store(value != 0);
}

void TBooleanCell::SetAsString(const QString& value)
{
    Store(value == QLatin1String("1") || LowerCaseAscii(value) == QLatin1String("true"));
}

void TBooleanCell::Clear()
{
    Store(false);
}

void TIntegerCell::Store(int32_t value)
{
    m_value = value;
    Changed();
}

void TIntegerCell::SetAsBoolean(bool value)
{
    Store(value ? 1 : 0);
}

void TIntegerCell::SetAsDateTime(TDateTime)
{
    Store(0);
}

void TIntegerCell::SetAsFloat(double value)
{
    Store(RoundToInt32(value));
}

void TIntegerCell::SetAsInteger(int32_t value)
{
    Store(value);
}

void TIntegerCell::SetAsString(const QString& value)
{
    Store(value.isEmpty() ? 0 : StrToInt(value));
}

void TIntegerCell::Clear()
{
    Store(0);
}

// --- Float and date-time cells ------------------------------------------------------------

void TDoubleCell::Store(double value)
{
    m_value = value;
    Changed();
}

void TDoubleCell::SetAsDateTime(TDateTime value)
{
    Store(value);
}

void TDoubleCell::SetAsFloat(double value)
{
    Store(value);
}

void TDoubleCell::SetAsInteger(int32_t value)
{
    Store(value);
}

void TDoubleCell::Clear()
{
    Store(0);
}

int32_t TFloatCell::AsInteger() const
{
    return RoundToInt32(AsFloat());
}

void TFloatCell::SetAsBoolean(bool)
{
    Store(0);
}

void TFloatCell::SetAsString(const QString& value)
{
    Store(StrToFloat(value));
}

int32_t TDateTimeCell::AsInteger() const
{
    return TruncToInt32(AsDateTime());
}

void TDateTimeCell::SetAsBoolean(bool)
{
    Store(Date());
}

void TDateTimeCell::SetAsString(const QString& value)
{
    TDateTime parsed = 0;
    if (!value.isEmpty() && !TryStrToDateTime(value, parsed))
        parsed = 0;
    Store(parsed);
}

// --- Ownership ----------------------------------------------------------------------------

void TCellDeleter::operator()(TCell* cell) const noexcept
{
    TCellPool& pool = cell->m_owner->m_pool;
    const std::size_t size = cell->m_slotSize;
    cell->~TCell();
    pool.Free(cell, size);
}

void TRowDeleter::operator()(TRow* row) const noexcept
{
    row->~TRow();
    pool->Free(row, sizeof(TRow));
}

// --- TCells -------------------------------------------------------------------------------

TCells::TCells(TGxColumns& columns) : m_columns(columns) {}

TCells::~TCells() noexcept
{
    // The cells and rows go back to the pool before the pool itself goes.
    m_columnLists.clear();
    m_rows.Clear();
}

void TCells::CellChanged()
{
    if (CellChangedCallback)
        CellChangedCallback(m_currentCol, m_currentRow);
    m_orderValid = false;
}

void TCells::CheckRow(int row) const
{
    if (row < 0 || row >= RowCount())
        throw EListError(row);
}

void TCells::CheckColumn(int col) const
{
    if (col < 0 || col >= ColumnCount())
        throw EListError(col);
}

void TCells::CheckInsertPosition(int position) const
{
    if (position < 0 || position > RowCount())
        throw EListError(position);
}

TCell& TCells::CellAt(int col, int row)
{
    CheckRow(row);
    CheckColumn(col);
    m_currentCol = col;
    m_currentRow = row;
    return *m_columnLists[size_t(col)][row];
}

TRow& TCells::RowAt(int row)
{
    CheckRow(row);
    return *m_rows[row];
}

const TRow& TCells::RowAt(int row) const
{
    CheckRow(row);
    return *m_rows[row];
}

int TCells::IndexOfRow(const TRow& row) const
{
    for (int i = 0; i < RowCount(); ++i)
        if (m_rows[i].get() == &row)
            return i;
    return -1;
}

template <typename T, typename... Args> TCellPtr TCells::NewCell(Args&&... args)
{
    static_assert(sizeof(T) <= TCellPool::kMaxSlotSize && alignof(T) <= 8);
    void* slot = m_pool.Allocate(sizeof(T));
    T* cell = nullptr;
    try {
        cell = new (slot) T(*this, std::forward<Args>(args)...);
    } catch (...) {
        m_pool.Free(slot, sizeof(T));
        throw;
    }
    cell->m_slotSize = sizeof(T);
    return TCellPtr(cell);
}

TCellPtr TCells::CreateCell(TGxCustomColumn& column, bool forInsertion)
{
    TCellPtr cell;
    switch (column.CellKind()) {
    case ckIncrement:
        // An inserted row holds a plain integer where appended rows count themselves.
        cell = forInsertion ? NewCell<TIntegerCell>() : NewCell<TIncrementCell>();
        break;
    case ckBoolean:
        cell = NewCell<TBooleanCell>();
        break;
    case ckDateTime:
        cell = NewCell<TDateTimeCell>();
        break;
    case ckFloat:
        cell = NewCell<TFloatCell>();
        break;
    case ckGuid:
        cell = NewCell<TGuidCell>();
        break;
    case ckInteger:
        cell = NewCell<TIntegerCell>();
        break;
    case ckVirtual:
        cell = NewCell<TVirtualCell>(column);
        break;
    default:
        cell = NewCell<TStringCell>();
        break;
    }
    cell->SetFontStyle(FontStylesOf(column.Font()));
    cell->SetColor(column.Color());
    cell->m_initialising = false;
    return cell;
}

TRowPtr TCells::NewRow()
{
    TRow* row = new (m_pool.Allocate(sizeof(TRow))) TRow;
    row->m_rowHeight = m_defaultRowHeight;
    return TRowPtr(row, TRowDeleter{&m_pool});
}

TCells::TRowCells TCells::CreateRowCells(bool forInsertion)
{
    TRowCells cells;
    for (int col = 0; col < ColumnCount(); ++col)
        cells.push_back(CreateCell(m_columns.Items(col), forInsertion));
    return cells;
}

void TCells::ReserveRows(int count)
{
    m_rows.ReserveGap(count);
    for (TCellList& list : m_columnLists)
        list.ReserveGap(count);
}

// Places a complete row; the lists have room for it, so nothing here can fail half-way.
void TCells::PlaceRow(int index, TRowPtr row, TRowCells& cells)
{
    ShownChanged(false, row->Shown());
    m_rows.Insert(index, std::move(row));
    for (qsizetype col = 0; col < cells.size(); ++col)
        m_columnLists[size_t(col)].Insert(index, std::move(cells[col]));
}

void TCells::ShownChanged(bool before, bool after)
{
    m_visibleRowCount += int(after) - int(before);
}

void TCells::AddRows(int count)
{
    if (count < 1)
        return;
    if (count > kMaxRows - RowCount())
        throw EInvalidOperation(QStringLiteral("A grid holds at most %1 rows").arg(kMaxRows));
    ReserveRows(count);
    m_orderValid = false;
    for (int i = 0; i < count; ++i) {
        TRowCells cells = CreateRowCells(false);
        PlaceRow(RowCount(), NewRow(), cells);
    }
}

void TCells::InsertRowAt(int index)
{
    CheckInsertPosition(index);
    ReserveRows(1);
    TRowCells cells = CreateRowCells(true);
    PlaceRow(index, NewRow(), cells);
    m_orderValid = false;
}

void TCells::AddChildRowAt(int parentRow, int position)
{
    CheckRow(parentRow);
    CheckInsertPosition(position);
    ReserveRows(1);
    TRowCells cells = CreateRowCells(false);
    TRowPtr row = NewRow();
    TRow& parent = *m_rows[parentRow];
    row->m_parentRow = &parent;
    row->m_level = parent.m_level + 1;
    // A child of a hidden branch stays hidden with it.
    row->m_ancestorsExpanded = parent.m_expanded && parent.m_ancestorsExpanded;
    ++parent.m_childCount;
    PlaceRow(position, std::move(row), cells);
    // The new row is not in its sorted place, so the next direction change must sort anew.
    m_orderValid = false;
}

void TCells::DeleteRowAt(int row)
{
    CheckRow(row);
    // Descendants follow their row with a greater level; they go first, last one first, so
    // that no row record ever points at a deleted parent.
    const int level = m_rows[row]->m_level;
    int end = row + 1;
    while (end < RowCount() && m_rows[end]->m_level > level)
        ++end;
    for (int index = end - 1; index >= row; --index) {
        TRowPtr record = m_rows.Take(index);
        for (TCellList& list : m_columnLists)
            list.Take(index);
        ShownChanged(record->Shown(), false);
        if (TRow* parent = record->m_parentRow; parent && index == row)
            --parent->m_childCount;
    }
}

void TCells::ClearAll()
{
    for (TCellList& list : m_columnLists)
        list.Clear();
    m_rows.Clear();
    m_visibleRowCount = 0;
    m_orderValid = false;
    m_pool.ReleaseIfEmpty();
}

void TCells::SwapRows(int a, int b)
{
    m_rows.Swap(a, b);
    for (TCellList& list : m_columnLists)
        list.Swap(a, b);
}

void TCells::SwapRowsAt(int a, int b)
{
    CheckRow(a);
    CheckRow(b);
    SwapRows(a, b);
}

void TCells::MoveRowAt(int from, int to)
{
    CheckRow(from);
    CheckRow(to);
    m_rows.Move(from, to);
    for (TCellList& list : m_columnLists)
        list.Move(from, to);
    m_orderValid = false;
}

void TCells::SetRowVisible(int row, bool value)
{
    TRow& record = RowAt(row);
    const bool before = record.Shown();
    record.m_visible = value;
    ShownChanged(before, record.Shown());
}

void TCells::SetRowAncestorsExpanded(int row, bool value)
{
    TRow& record = RowAt(row);
    const bool before = record.Shown();
    record.m_ancestorsExpanded = value;
    ShownChanged(before, record.Shown());
}

void TCells::CheckColumnCapacity(int columnCount)
{
    if (columnCount >= kMaxColumns)
        throw EInvalidOperation(QStringLiteral("A grid holds at most %1 columns").arg(kMaxColumns));
}

void TCells::AddColumn(TGxCustomColumn& column)
{
    CheckColumnCapacity(ColumnCount());
    TCellList list;
    list.ReserveGap(RowCount());
    for (int row = 0; row < RowCount(); ++row)
        list.Append(CreateCell(column, false));
    m_columnLists.push_back(std::move(list));
}

void TCells::DeleteColumn(int index)
{
    CheckColumn(index);
    m_columnLists.erase(m_columnLists.begin() + index);
    // Rows without any column would be records nobody can reach through a cell.
    if (m_columnLists.empty())
        ClearAll();
}

// --- Sorting ------------------------------------------------------------------------------

namespace {

// The first eight code units of a text packed into two numbers, so that comparing keys orders
// them as the texts are ordered, a missing unit counting as 0. Keys that differ decide at once
// from one contiguous array; equal keys leave it to the texts.
struct TSortKey
{
    uint64_t high = 0;
    uint64_t low = 0;
    auto operator<=>(const TSortKey&) const = default;
};

TSortKey SortKeyOf(TTextUnits units)
{
    TSortKey key;
    for (int i = 0; i < 8; ++i) {
        uint64_t unit = 0;
        if (i < units.size)
            unit = units.wide ? static_cast<const char16_t*>(units.data)[i]
                              : static_cast<const unsigned char*>(units.data)[i];
        uint64_t& half = i < 4 ? key.high : key.low;
        half = half << 16 | unit;
    }
    return key;
}

TSortKey SortKeyOf(TCell& cell)
{
    TCellText::InlineBuffer buffer;
    TTextUnits units;
    if (cell.TextUnits(buffer, units))
        return SortKeyOf(units);
    const QString text = cell.AsString();
    return SortKeyOf(TTextUnits::Of(text));
}

} // namespace

// The grid's quicksort. Its pivots come from the program-wide generator and its exchanges are
// those of a Hoare partition, so rows with equal keys end up in an order that the program's
// results depend on (which files of equal size are compared): every step is kept as it is.
class TRowSorter
{
public:
    TRowSorter(TCells& cells, int col, TSortType sortType, bool descending)
        : m_cells(cells), m_list(cells.m_columnLists[size_t(col)]),
          m_compare(ComparisonFor(sortType, cells.CompareCallback)), m_descending(descending)
    {
        if (sortType == stAlphabetic) {
            m_keys.reserve(size_t(cells.RowCount()));
            for (int row = 0; row < cells.RowCount(); ++row)
                m_keys.push_back(SortKeyOf(*Cell(row)));
        }
    }

    void Sort()
    {
        // Left part first, as a recursion would go, so that the pivots are drawn in the same
        // order; an explicit stack keeps deep partitions off the call stack.
        std::vector<std::pair<int, int>> ranges{{0, m_cells.RowCount() - 1}};
        while (!ranges.empty()) {
            const auto [lo, hi] = ranges.back();
            ranges.pop_back();
            if (lo >= hi)
                continue;
            const int p = Partition(lo, hi);
            ranges.emplace_back(p, hi);
            ranges.emplace_back(lo, p - 1);
        }
    }

private:
    TCell* Cell(int row) { return m_list[row].get(); }

    // The pivot against the cell of the row: negative when the pivot is below it.
    int ComparePivot(int row)
    {
        if (!m_keys.empty() && m_pivotKey != m_keys[size_t(row)])
            return m_pivotKey < m_keys[size_t(row)] ? -1 : 1;
        return m_compare(*m_pivot, *Cell(row));
    }

    // Ascending, i stops at a cell not below the pivot and j at one not above it; descending
    // exchanges the two tests.
    bool StopsI(int row)
    {
        const int order = ComparePivot(row);
        return m_descending ? order >= 0 : order <= 0;
    }
    bool StopsJ(int row)
    {
        const int order = ComparePivot(row);
        return m_descending ? order <= 0 : order >= 0;
    }

    void Swap(int a, int b)
    {
        m_cells.SwapRows(a, b);
        if (!m_keys.empty())
            std::swap(m_keys[size_t(a)], m_keys[size_t(b)]);
    }

    int Partition(int lo, int hi)
    {
        // Never the first row of the range; the pivot is the cell object, whatever its row.
        const int pivotRow = lo + 1 + int(Rng::Random(uint32_t(hi - lo)));
        m_pivot = Cell(pivotRow);
        if (!m_keys.empty())
            m_pivotKey = m_keys[size_t(pivotRow)];
        int i = lo - 1;
        int j = hi + 1;
        do {
            do
                CheckInRange(++i, lo, hi);
            while (!StopsI(i));
            do
                CheckInRange(--j, lo, hi);
            while (!StopsJ(j));
            if (Cell(i) != Cell(j))
                Swap(i, j);
        } while (i < j);
        // The last exchange crossed over: undo it.
        if (Cell(i) != Cell(j))
            Swap(i, j);
        CheckInRange(i, lo + 1, hi);
        return i;
    }

    // A consistent comparison keeps the scans inside the range; a custom one that contradicts
    // itself must not walk off the rows or split a range into itself.
    static void CheckInRange(int index, int lo, int hi)
    {
        if (index < lo || index > hi)
            throw EInvalidOperation(QStringLiteral("The sort's comparison contradicts itself"));
    }

    TCells& m_cells;
    TGapList<TCellPtr>& m_list;
    TCellComparison m_compare;
    bool m_descending;
    // Alphabetic sorts only: the key of every row, moved along with the rows.
    std::vector<TSortKey> m_keys;
    TCell* m_pivot = nullptr;
    TSortKey m_pivotKey;
};

void TCells::ArrangeRows(const std::vector<int>& order)
{
    const int count = RowCount();
    if (int(order.size()) != count)
        throw EListError(int(order.size()));
    std::vector<bool> seen(order.size());
    for (int row : order) {
        CheckRow(row);
        if (seen[size_t(row)])
            throw EListError(row);
        seen[size_t(row)] = true;
    }
    // One swap per misplaced row: rowAt follows what each place holds, placeOf the reverse.
    std::vector<int> rowAt(order.size());
    std::iota(rowAt.begin(), rowAt.end(), 0);
    std::vector<int> placeOf = rowAt;
    for (int place = 0; place < count; ++place) {
        const int from = placeOf[size_t(order[size_t(place)])];
        if (from == place)
            continue;
        SwapRows(place, from);
        std::swap(rowAt[size_t(place)], rowAt[size_t(from)]);
        placeOf[size_t(rowAt[size_t(place)])] = place;
        placeOf[size_t(rowAt[size_t(from)])] = from;
    }
    m_orderValid = false;
}

void TCells::SortRows(int col, TSortType sortType, bool fullResort, bool descending)
{
    CheckColumn(col);
    if (m_orderValid && m_lastSortColumn == col && m_lastSortDescending != descending &&
        !fullResort) {
        const int count = RowCount();
        for (int i = 0; i < count / 2; ++i)
            SwapRows(i, count - 1 - i);
    } else {
        // A sort that fails half-way leaves no order to rely on.
        m_orderValid = false;
        TRowSorter(*this, col, sortType, descending).Sort();
    }
    m_lastSortDescending = descending;
    m_lastSortColumn = col;
    m_orderValid = true;
}
