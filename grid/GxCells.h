#pragma once

#include "grid/GxCellPool.h"
#include "grid/GxCellText.h"
#include "grid/GxGapList.h"
#include "platform/Graphics.h"
#include "platform/Sets.h"
#include "platform/SysUtils.h"

#include <QUuid>
#include <QVarLengthArray>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

class TCells;
class TGxColumns;
class TGxCustomColumn;

// Which cell class a column's cells are. Values missing here (2, 5, 9, 10...) give string
// cells.
enum TCellKind : int {
    ckIncrement = 0,
    ckBoolean = 1,
    ckDateTime = 3,
    ckFloat = 4,
    ckGuid = 6,
    ckInteger = 7,
    ckString = 8,
    ckVirtual = 11
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, 4>;

enum TSortType { stAlphabetic, stBoolean, stCaseInsensitive, stCustom, stNumeric, stDate, stIP };

// One value of the grid. Every kind answers the same five typed accessors, converting between
// its own value and the requested type. A cell does not know its column or row: whatever needs
// them uses the position of the store's most recent lookup, which the grid's operations make
// right before they use a cell. Every successful write ends in exactly one change notice; a
// write that fails to convert leaves the old value and raises none.
class TCell
{
public:
    explicit TCell(TCells& owner) : m_owner(&owner) {}
    TCell(const TCell&) = delete;
    TCell& operator=(const TCell&) = delete;
    virtual ~TCell() = default;

    TCells& Owner() const { return *m_owner; }

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TFontStyles FontStyle() const;
    void SetFontStyle(TFontStyles value);

    virtual bool AsBoolean() const = 0;
    virtual TDateTime AsDateTime() const = 0;
    virtual double AsFloat() const = 0;
    virtual int32_t AsInteger() const = 0;
    virtual QString AsString() const = 0;
    virtual void SetAsBoolean(bool value);
    virtual void SetAsDateTime(TDateTime value);
    virtual void SetAsFloat(double value);
    virtual void SetAsInteger(int32_t value);
    virtual void SetAsString(const QString& value);
    // Back to the kind's zero value, then the change notice.
    virtual void Clear();

    // The code units of the cell's own text, for a sort that compares texts without building
    // them; false when the cell does not keep text.
    virtual bool TextUnits(TCellText::InlineBuffer& buffer, TTextUnits& units) const;

protected:
    void Changed();
    int CurrentCol() const;
    int CurrentRow() const;

private:
    friend class TCells;
    friend struct TCellDeleter;

    TCells* m_owner;
    TColor m_color = clWindow;
    uint8_t m_fontStyle = 0;
    bool m_initialising = true;
    uint8_t m_slotSize = 0;
};

// A cell whose value is its text: the non-text accessors read the text through the runtime
// conversions and write the converted text back.
class TTextValueCell : public TCell
{
public:
    using TCell::TCell;

    bool AsBoolean() const override;
    TDateTime AsDateTime() const override;
    double AsFloat() const override;
    int32_t AsInteger() const override;
    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int32_t value) override;
};

class TStringCell : public TTextValueCell
{
public:
    using TTextValueCell::TTextValueCell;

    QString AsString() const override { return m_text.ToString(); }
    void SetAsString(const QString& value) override;
    void Clear() override;
    bool TextUnits(TCellText::InlineBuffer& buffer, TTextUnits& units) const override;

private:
    TCellText m_text;
};

class TBooleanCell : public TCell
{
public:
    using TCell::TCell;

    bool AsBoolean() const override { return m_value; }
    TDateTime AsDateTime() const override { return 0; }
    double AsFloat() const override { return m_value ? 1.0 : 0.0; }
    int32_t AsInteger() const override { return m_value ? 1 : 0; }
    QString AsString() const override { return BoolToStr(m_value); }
    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int32_t value) override;
    void SetAsString(const QString& value) override;
    void Clear() override;

private:
    void Store(bool value);

    bool m_value = false;
};

class TIntegerCell : public TCell
{
public:
    using TCell::TCell;

    bool AsBoolean() const override { return m_value > 0; }
    TDateTime AsDateTime() const override { return 0; }
    double AsFloat() const override { return m_value; }
    int32_t AsInteger() const override { return m_value; }
    QString AsString() const override { return IntToStr(m_value); }
    void SetAsBoolean(bool value) override;
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int32_t value) override;
    void SetAsString(const QString& value) override;
    void Clear() override;

private:
    void Store(int32_t value);

    int32_t m_value = 0;
};

// The common part of the float and date-time cells: a double.
class TDoubleCell : public TCell
{
public:
    using TCell::TCell;

    bool AsBoolean() const override { return false; }
    TDateTime AsDateTime() const override { return m_value; }
    double AsFloat() const override { return m_value; }
    void SetAsDateTime(TDateTime value) override;
    void SetAsFloat(double value) override;
    void SetAsInteger(int32_t value) override;
    void Clear() override;

protected:
    void Store(double value);

private:
    double m_value = 0;
};

class TFloatCell : public TDoubleCell
{
public:
    using TDoubleCell::TDoubleCell;

    int32_t AsInteger() const override;
    QString AsString() const override { return FloatToStr(AsFloat()); }
    void SetAsBoolean(bool value) override;
    void SetAsString(const QString& value) override;
};

class TDateTimeCell : public TDoubleCell
{
public:
    using TDoubleCell::TDoubleCell;

    int32_t AsInteger() const override;
    QString AsString() const override { return DateTimeToStr(AsDateTime()); }
    void SetAsBoolean(bool value) override;
    void SetAsString(const QString& value) override;
};

// The row's number: its index + 1 at the moment of reading. Writes are ignored.
class TIncrementCell : public TCell
{
public:
    using TCell::TCell;

    bool AsBoolean() const override { return false; }
    TDateTime AsDateTime() const override { return 0; }
    double AsFloat() const override { return CurrentRow() + 1; }
    int32_t AsInteger() const override { return CurrentRow() + 1; }
    QString AsString() const override { return IntToStr(CurrentRow() + 1); }
    void Clear() override {}
};

class TGuidCell : public TTextValueCell
{
public:
    explicit TGuidCell(TCells& owner) : TTextValueCell(owner), m_value(QUuid::createUuid()) {}

    QString AsString() const override;
    void SetAsString(const QString& value) override;
    void Clear() override { Changed(); }

private:
    QUuid m_value;
};

// A cell without a value of its own: its column produces and accepts the text.
class TVirtualCell : public TTextValueCell
{
public:
    TVirtualCell(TCells& owner, TGxCustomColumn& column) : TTextValueCell(owner), m_column(&column)
    {}

    QString AsString() const override;
    void SetAsString(const QString& value) override;
    void Clear() override { Changed(); }

private:
    TGxCustomColumn* m_column;
};

// One row: its place in an optional tree of rows, its height and its flags.
class TRow
{
public:
    int ChildCount() const { return m_childCount; }
    void SetChildCount(int value) { m_childCount = value; }
    bool Expanded() const { return m_expanded; }
    void SetExpanded(bool value) { m_expanded = value; }
    int RowImage() const { return m_rowImage; }
    void SetRowImage(int value) { m_rowImage = value; }
    int Level() const { return m_level; }
    TRow* ParentRow() const { return m_parentRow; }
    int RowHeight() const { return m_rowHeight; }
    void SetRowHeight(int value) { m_rowHeight = value; }
    bool Selected() const { return m_selected; }
    void SetSelected(bool value) { m_selected = value; }
    // Visible and AncestorsExpanded change through the store, which counts the shown rows.
    bool AncestorsExpanded() const { return m_ancestorsExpanded; }
    bool Visible() const { return m_visible; }
    bool Shown() const { return m_visible && m_ancestorsExpanded; }

private:
    friend class TCells;

    TRow* m_parentRow = nullptr;
    int m_childCount = 0;
    int m_rowImage = -1;
    int m_level = 0;
    int m_rowHeight = 16;
    bool m_expanded = true;
    bool m_selected = false;
    bool m_ancestorsExpanded = true;
    bool m_visible = true;
};

struct TCellDeleter
{
    void operator()(TCell* cell) const noexcept;
};
using TCellPtr = std::unique_ptr<TCell, TCellDeleter>;

struct TRowDeleter
{
    TCellPool* pool = nullptr;
    void operator()(TRow* row) const noexcept;
};
using TRowPtr = std::unique_ptr<TRow, TRowDeleter>;

// The grid's rows and cells: a row record per row and, per column, a list of cells in row
// order. The store creates and destroys every cell and row record; a cell reference stays valid
// until its row or column is deleted or the rows are cleared. Sorting and row moves only move
// references.
class TCells
{
public:
    static constexpr int kMaxColumns = 1024;
    static constexpr int kMaxRows = std::numeric_limits<int>::max();
    // Refuses a column beyond kMaxColumns with an error, before anything is changed.
    static void CheckColumnCapacity(int columnCount);

    explicit TCells(TGxColumns& columns);
    TCells(const TCells&) = delete;
    TCells& operator=(const TCells&) = delete;
    ~TCells() noexcept;

    int RowCount() const { return m_rows.Size(); }
    int ColumnCount() const { return int(m_columnLists.size()); }
    int VisibleRowCount() const { return m_visibleRowCount; }
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int value) { m_defaultRowHeight = value; }
    int CurrentCol() const { return m_currentCol; }
    int CurrentRow() const { return m_currentRow; }
    bool OrderValid() const { return m_orderValid; }
    int LastSortColumn() const { return m_lastSortColumn; }
    bool LastSortDescending() const { return m_lastSortDescending; }

    // Called after a cell's value changed, with the cell's column and row.
    std::function<void(int ACol, int ARow)> CellChangedCallback;
    // The comparison of a custom sort: negative, zero or positive.
    std::function<int(TCell& Cell1, TCell& Cell2)> CompareCallback;

    // The cell, recording its position as the current one. An index outside the rows or the
    // columns raises "List index out of bounds (%d)".
    TCell& CellAt(int col, int row);
    TRow& RowAt(int row);
    const TRow& RowAt(int row) const;
    // The row's index, or -1 when the record is not in the store.
    int IndexOfRow(const TRow& row) const;

    void AddRows(int count);
    // Deletes the row with its descendants; the rows below move up.
    void DeleteRowAt(int row);
    void ClearAll();
    void SwapRowsAt(int a, int b);
    void MoveRowAt(int from, int to);
    // Inserts a row; the rows from the index on move down.
    void InsertRowAt(int index);
    void AddChildRowAt(int parentRow, int position);
    void SetRowVisible(int row, bool value);
    void SetRowAncestorsExpanded(int row, bool value);

    // Keeps one cell list per column of the collection.
    void AddColumn(TGxCustomColumn& column);
    void DeleteColumn(int index);

    // Sorts every row by the cells of column col with the comparison of the sort type
    // (GxCellCompare.h) and the grid's quicksort, whose pivots come from the program-wide
    // generator. A direction change on an order nothing has disturbed since the last sort of
    // the column only reverses the rows (not with fullResort). A failing comparison raises out
    // of the sort and leaves the rows, whole, in whatever order it had reached.
    void SortRows(int col, TSortType sortType, bool fullResort, bool descending);
    // Puts the rows into the given order: order[i] is the index of the row that goes to place i.
    // An order that is not every row's index once raises the list error before anything moves.
    void ArrangeRows(const std::vector<int>& order);

    // Cells and row records alive, for checks of ownership.
    std::size_t LiveObjects() const { return m_pool.LiveCount(); }

private:
    friend class TCell;
    friend struct TCellDeleter;
    friend class TRowSorter;

    using TCellList = TGapList<TCellPtr>;
    // The cells of one row on their way into the lists; most grids need no heap for them.
    using TRowCells = QVarLengthArray<TCellPtr, 16>;

    void CellChanged();
    void CheckRow(int row) const;
    void CheckColumn(int col) const;
    void CheckInsertPosition(int position) const;
    template <typename T, typename... Args> TCellPtr NewCell(Args&&... args);
    TCellPtr CreateCell(TGxCustomColumn& column, bool forInsertion);
    TRowPtr NewRow();
    // Creates the cells of one row, ready to be placed.
    TRowCells CreateRowCells(bool forInsertion);
    void PlaceRow(int index, TRowPtr row, TRowCells& cells);
    void ReserveRows(int count);
    void SwapRows(int a, int b);
    void ShownChanged(bool before, bool after);

    TGxColumns& m_columns;
    TCellPool m_pool;
    TGapList<TRowPtr> m_rows;
    std::vector<TCellList> m_columnLists;
    int m_visibleRowCount = 0;
    int m_defaultRowHeight = 16;
    int m_currentCol = 0;
    int m_currentRow = 0;
    bool m_orderValid = false;
    int m_lastSortColumn = -1;
    bool m_lastSortDescending = false;
};
