#pragma once

#include "grid/GxCells.h"
#include "grid/GxCustomGrid.h"

#include <QVariant>
#include <algorithm>
#include <functional>
#include <vector>

enum TDataChange {
    dcAddColumn,
    dcAddRow,
    dcInsertColumn,
    dcInsertRow,
    dcDeleteColumn,
    dcDeleteRow
};

// The data grid: the grid control bound to its row and cell store. Rows are added, inserted,
// deleted, moved and sorted here; cells are reached by index, by column name or by the words
// "First", "Last" and "Selected".
class TDataGrid : public TGxCustomGrid
{
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);

    int RowCount() const override { return m_cells.RowCount(); }
    // The rows neither hidden nor under a collapsed row.
    int VisibleRowCount() const override { return m_cells.VisibleRowCount(); }
    // A negative height (from OnMeasuringRowHeight or SetRowHeight) takes no room.
    int GetRowHeight(int row) override { return std::max(RowHeight(row), 0); }

    // Appends Count rows (with goUseDefaultValues, each column's DefaultValue written into
    // them) and returns the index of the last; a Count below 1 adds nothing and returns
    // LastAddedRow.
    int AddRow(int Count = 1);
    // Adds a child of ARow directly below it or, with afterDescendants, below its last
    // descendant; returns the new row's index.
    int AddChildRow(int ARow, bool afterDescendants = false);
    // Inserts an empty row at Pos (0..RowCount); the rows from there move down.
    void InsertRow(int Pos);
    // Deletes the row with its descendants; the rows below move up.
    void DeleteRow(int ARow);
    void ClearRows();
    void MoveRow(int FromPos, int ToPos);
    void SwapRows(int A, int B);
    // Puts the rows into the given order (order[i] is the row that goes to place i); the
    // selection stays on its row. An order that is not every row once raises the list error.
    void ArrangeRows(const std::vector<int>& order);

    // The cell; an index outside the rows or the columns raises "List index out of bounds (%d)".
    TCell& Cell(int ACol, int ARow);
    // Row first, then column: "First", "Last" and "Selected" (any ASCII case), a column name,
    // else a number. A text that is none of these raises "Invalid Rowname '%s' for '%s:%s'." or
    // "Invalid Columnname '%s' for '%s:%s'." with the grid's class and component names.
    TCell& Cell(const QVariant& ACol, const QVariant& ARow);
    // The column of that name (any ASCII case); raises "Invalid Columnname '%s' for '%s:%s'."
    // when the grid has none.
    TGxCustomColumn& NamedColumn(const QString& name) const;
    // The cell's text; empty outside the grid.
    QString Cells(int ACol, int ARow);
    // Writes the cell's text; nothing happens outside the grid.
    void SetCells(int ACol, int ARow, const QString& value);

    int StartRowCount() const { return m_startRowCount; }
    // Adds or deletes rows (from the top) towards the count.
    void SetStartRowCount(int value);

    // Row attributes; an index outside the rows raises the list error.
    int RowHeight(int ARow);
    void SetRowHeight(int ARow, int value);
    bool RowVisible(int ARow) { return RowAt(ARow).Visible(); }
    void SetRowVisible(int ARow, bool value);
    bool RowExpanded(int ARow) { return RowAt(ARow).Expanded(); }
    // Shows or hides the row's descendants (those below a collapsed child stay hidden).
    void SetRowExpanded(int ARow, bool value);
    int RowLevel(int ARow) { return RowAt(ARow).Level(); }
    bool RowSelected(int ARow) { return RowAt(ARow).Selected(); }
    bool RowShown(int ARow) { return RowAt(ARow).Shown(); }

    // Recomputes the footer captions of the columns that have a formula.
    void RecalculateFooters(bool shownRowsOnly = false);

    const TCells& CellStore() const { return m_cells; }

    std::function<void(QObject* Sender, TDataChange AChangeType, int AIndex)> OnDataChange;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnChange;
    std::function<void(QObject* Sender, int ACol, bool Ascending)> OnSortColumn;
    std::function<void(QObject* Sender, int ACol)> OnAfterSort;
    std::function<void(QObject* Sender, TCell& Cell1, TCell& Cell2, int& Compare)> OnCompare;
    // Asked by every sort for the order of the rows: a handler that fills Order (every row's
    // index once, in the order wanted) replaces the grid's own sort; left empty, the grid sorts
    // the column itself.
    std::function<void(QObject* Sender, int ACol, bool Ascending, std::vector<int>& Order)>
        OnSortOrder;
    std::function<void(QObject* Sender, int ARow)> OnExpand;
    std::function<void(QObject* Sender, int Index, int& RowHeight)> OnMeasuringRowHeight;
    std::function<void(QObject* Sender, int ACol, double& Value)> OnColumnFooterValue;
    std::function<void(QObject* Sender, int ACol, double& Value)> OnFooterCalculate;

    // Makes the column's interactor ready to act on the cell: OnBeforeEdit may refuse; then
    // the cell's value, rectangle and the grid's handlers are handed to it. Null when the
    // column has no interactor or the edit was refused.
    TColumnPlay* PreparePlay(int ACol, int ARow) override;
    std::function<void(QObject* Sender, int ACol, int ARow, bool& Accept)> OnBeforeEdit;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value, bool& Accept)>
        OnEditAccept;
    std::function<void(QObject* Sender, int ACol, int ARow, const QString& Value)> OnAfterEdit;

protected:
    TRow& RowAt(int index) override { return m_cells.RowAt(index); }
    TCell& CellForPaint(int ACol, int ARow) override { return m_cells.CellAt(ACol, ARow); }
    void SortColumn(TGxCustomColumn& column, bool ascending) override;
    void RowSizeChanged(int value) override { m_cells.SetDefaultRowHeight(value); }
    void MoveRowTo(int FromPos, int ToPos) override { MoveRow(FromPos, ToPos); }
    void ColumnAdded(TGxCustomColumn& column) override;
    void ColumnDeleted(TGxCustomColumn& column, int index) override;

private:
    // The interactor's value, accepted by OnEditAccept, goes into its cell.
    void ApplyPlayValue(TColumnPlay& play);
    int ResolveRow(const QVariant& ARow) const;
    int ResolveColumn(const QVariant& ACol) const;
    [[noreturn]] void RaiseInvalidName(const char* what, const QVariant& name) const;
    void ApplyDefaultValues(int firstRow, int endRow);
    // The selected row's record, which a reordering moves with its row; null without one.
    const TRow* SelectedRecord();
    void RestoreSelection(const TRow* row);
    double FooterValue(int col, TFormulaKind kind, bool shownRowsOnly);

    TCells m_cells{Columns()};
    int m_startRowCount = 0;
};
