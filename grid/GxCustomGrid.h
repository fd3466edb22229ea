#pragma once

#include "grid/GxColumns.h"
#include "grid/GxScrollControl.h"
#include "platform/Sets.h"

#include <QMenu>
#include <QPointer>
#include <functional>

enum TGridOption {
    goCanHideColumn,
    goDisableColumnMoving,
    goDisableKeys,
    goEscClearEdit,
    goFooter,
    goGrid,
    goHeader,
    goIndicator,
    goInput,
    goLockFixedCols,
    goMultiSelect,
    goRowResizing,
    goRowMoving,
    goSecondClickEdit,
    goSelectFullRow,
    goUseDefaultValues,
    goInplaceEditEvents
};
using TGridOptions = TSet<TGridOption, 17>;

// Geometry, painting, selection and events of the grid. The rows themselves belong to the
// data grid, which answers RowCount and RowAt.
class TGxCustomGridControl : public TGxScrollControl, protected TGxColumnsHost
{
    Q_OBJECT
public:
    explicit TGxCustomGridControl(QWidget* parent = nullptr);

    TGxColumns& Columns() { return m_columns; }
    const TGxColumns& Columns() const { return m_columns; }
    // The first column in creation order whose Name equals the text, ignoring ASCII case.
    TGxCustomColumn* ColumnByName(const QString& name) const;

    TGridOptions Options() const { return m_options; }
    void SetOptions(TGridOptions value);
    // The height of new rows; a value of 0 or less is ignored.
    int RowSize() const { return m_rowSize; }
    void SetRowSize(int value);

    virtual int RowCount() const = 0;

    // -1 when no row is selected.
    int SelectedRow() const { return m_selectedRow; }
    // Ignored on a grid without rows and for an index outside -1..RowCount-1; otherwise selects
    // (SelectedColumn, the row) as a click would.
    void SetSelectedRow(int value);
    int SelectedColumn() const { return m_selectedColumn; }
    // Makes the cell current, asking OnBeforeSelect first. With goSelectFullRow the row's
    // Selected flag follows; with goMultiSelect Ctrl toggles a row and Shift selects a range.
    void SelectCell(int ACol, int ARow, Qt::KeyboardModifiers shift = {});

    int TopRow() const { return m_topRow; }
    int FirstShownRow() const { return m_firstShownRow; }
    int LastShownRow() const { return m_lastShownRow; }
    int LastAddedRow() const { return m_lastAddedRow; }
    // The column most recently sorted, until its Sorted is cleared.
    TGxCustomColumn* SortedColumn() const { return m_sortedColumn; }

    int UpdateCount() const { return m_updateCount; }
    // While an update block is open, cell writes raise no OnChange and nothing is repainted.
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate();

    // The grid acts on column changes (and so sorts) only from the first time it is shown, its
    // first ClearRows or its first AddRow outside an update block on; what columns are given
    // before (a Sorted from the form's layout, for example) is only stored.
    bool Realised() const { return m_realised; }

    std::function<void(QObject* Sender, int ACol, int ARow, bool& Accept)> OnBeforeSelect;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnSelectCell;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnDeselectCell;
    std::function<void(QObject* Sender, int ACol, int FromPos, int ToPos)> OnColumnMove;
    std::function<void(QObject* Sender, int ACol)> OnColumnResize;

protected:
    virtual TRow& RowAt(int index) = 0;
    // Sorts the rows by the column; run when a sorted column asks for it.
    virtual void SortColumn(TGxCustomColumn& column, bool ascending) = 0;
    virtual void RowSizeChanged(int value) = 0;

    void Realise() { m_realised = true; }
    void Invalidate();
    // Recounts the first and last shown rows after rows came, went or changed visibility.
    void UpdateShownRows();
    // Sets the selection without any event, keeping the rows' Selected flags in step.
    void PlaceSelection(int ARow);

    void showEvent(QShowEvent* event) override;

    void ColumnChanged(TGxCustomColumn& column, TColumnChange change, int value) override;
    void ColumnAdded(TGxCustomColumn& column) override;
    void ColumnDeleted(TGxCustomColumn& column, int index) override;
    void ColumnsLaidOut() override;
    void RepaintColumn(TGxCustomColumn& column) override;
    int ColumnsClientWidth() const override;
    bool IndicatorShown() const override;
    QFont ColumnsParentFont() const override;
    QWidget* EditorParent() override;

    int m_topRow = 0;
    int m_firstShownRow = 0;
    int m_lastShownRow = 0;
    int m_lastAddedRow = -1;
    int m_selectedRow = -1;
    int m_selectedColumn = 0;
    TGxCustomColumn* m_sortedColumn = nullptr;

private:
    bool ValidRow(int row) const { return row >= 0 && row < RowCount(); }
    void SelectFullRow(int oldRow, int row, Qt::KeyboardModifiers shift);
    void SelectRange(int from, int to, bool keepOthers);

    TGxColumns m_columns{this};
    TGridOptions m_options{goHeader};
    int m_rowSize = 16;
    int m_updateCount = 0;
    int m_anchorRow = -1;
    bool m_realised = false;
};

// Mouse, keyboard, column dragging and the published properties.
class TGxCustomGrid : public TGxCustomGridControl
{
    Q_OBJECT
public:
    explicit TGxCustomGrid(QWidget* parent = nullptr);

    // Shown by a right click, after the row under the pointer became the selected row.
    QMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(QMenu* value) { m_popupMenu = value; }

    std::function<void(QObject* Sender, int ACol, int ARow)> OnCellClick;
    std::function<void(QObject* Sender, int ACol, int ARow)> OnCellDblClick;
    // Before the pop-up menu opens at the point (client coordinates); Handled keeps it closed.
    std::function<void(QObject* Sender, QPoint MousePos, bool& Handled)> OnContextPopup;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPointer<QMenu> m_popupMenu;
};
