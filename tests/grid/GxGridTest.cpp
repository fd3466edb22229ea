#include "GridTestSupport.h"
#include "platform/Exception.h"

#include <QStringList>

namespace {

// A grid whose events are written into a log, in the order they come.
class GridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        grid.setObjectName(QStringLiteral("DataGrid1"));
        grid.OnDataChange = [this](QObject* sender, TDataChange change, int index) {
            EXPECT_EQ(sender, &grid);
            log << QStringLiteral("data %1 %2").arg(int(change)).arg(index);
        };
        grid.OnChange = [this](QObject*, int col, int row) {
            log << QStringLiteral("change %1 %2").arg(col).arg(row);
        };
        grid.OnDeselectCell = [this](QObject*, int col, int row) {
            log << QStringLiteral("deselect %1 %2").arg(col).arg(row);
        };
        grid.OnSelectCell = [this](QObject*, int col, int row) {
            log << QStringLiteral("select %1 %2").arg(col).arg(row);
        };
    }

    TDataGrid grid;
    QStringList log;
};

} // namespace

TEST_F(GridTest, variantIndexesResolveWordsNamesAndNumbers)
{
    AddTextColumns(grid, {"dest2", "size2", "0"});
    AddTextRows(grid, {{"a", "1", "x"}, {"b", "2", "y"}, {"c", "3", "z"}});

    EXPECT_EQ(&grid.Cell("Size2", 0), &grid.Cell(1, 0));
    EXPECT_EQ(&grid.Cell("SIZE2", "first"), &grid.Cell(1, 0));
    EXPECT_EQ(&grid.Cell("Last", "LAST"), &grid.Cell(2, 2));
    EXPECT_EQ(&grid.Cell("First", QStringLiteral("2")), &grid.Cell(0, 2));
    EXPECT_EQ(&grid.Cell(QVariant(1), QVariant(1.0)), &grid.Cell(1, 1));
    // A name beats the number: the column named "0" is column 2.
    EXPECT_EQ(&grid.Cell(QVariant(0), 0), &grid.Cell(2, 0));
    grid.SetSelectedRow(1);
    EXPECT_EQ(&grid.Cell("selected", "Selected"), &grid.Cell(0, 1));

    ExpectError([&] { grid.Cell("size3", 0); },
                QStringLiteral("Invalid Columnname 'size3' for 'TDataGrid:DataGrid1'."));
    ExpectError([&] { grid.Cell("size3", "Firs"); },
                QStringLiteral("Invalid Rowname 'Firs' for 'TDataGrid:DataGrid1'."));
    ExpectError([&] { grid.Cell("dest2", QVariant()); },
                QStringLiteral("Invalid Rowname '' for 'TDataGrid:DataGrid1'."));
    ExpectError([&] { grid.Cell("dest2", 3); }, QStringLiteral("List index out of bounds (3)"));
    ExpectError([&] { grid.Cell(5, 0); }, QStringLiteral("List index out of bounds (5)"));
}

TEST_F(GridTest, selectedRowWithoutSelectionRaisesTheListError)
{
    AddTextColumns(grid, {"a"});
    grid.AddRow();
    EXPECT_EQ(grid.SelectedRow(), -1);
    ExpectError([&] { grid.Cell(0, "Selected"); }, QStringLiteral("List index out of bounds (-1)"));
}

TEST_F(GridTest, moreRowsThanTheGridCanCountAreRefusedWithoutChange)
{
    AddTextColumns(grid, {"a"});
    grid.AddRow(3);
    ExpectError([&] { grid.AddRow(std::numeric_limits<int>::max()); },
                QStringLiteral("A grid holds at most 2147483647 rows"));
    EXPECT_EQ(grid.RowCount(), 3);
    ExpectStoreIntact(grid);
}

TEST_F(GridTest, cellsOutsideTheGridReadEmptyAndIgnoreWrites)
{
    AddTextColumns(grid, {"a"});
    grid.AddRow();
    grid.SetCells(0, 0, QStringLiteral("inside"));
    grid.SetCells(1, 0, QStringLiteral("x"));
    grid.SetCells(0, 1, QStringLiteral("x"));
    grid.SetCells(-1, -1, QStringLiteral("x"));
    EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("inside"));
    EXPECT_EQ(grid.Cells(0, 1), QString());
    EXPECT_EQ(grid.Cells(3, 0), QString());
    EXPECT_EQ(grid.RowCount(), 1);
}

TEST_F(GridTest, addRowAppendsWithDefaultsAndReportsEachStep)
{
    grid.Columns()
        .Add<TGxTextColumn>(QStringLiteral("text"))
        .SetDefaultValue(QStringLiteral("new"));
    grid.Columns()
        .Add<TGxCheckBoxColumn>(QStringLiteral("check"))
        .SetDefaultValue(QStringLiteral("True"));
    grid.Columns().Add<TGxIncrementColumn>(QStringLiteral("number"));

    EXPECT_EQ(grid.AddRow(0), -1);
    EXPECT_EQ(grid.AddRow(), 0);
    EXPECT_EQ(grid.Cells(0, 0), QString());
    grid.SetOptions(grid.Options() + TGridOptions{goUseDefaultValues});
    log.clear();
    EXPECT_EQ(grid.AddRow(2), 2);
    EXPECT_EQ(log,
              QStringList({"change 0 1", "change 1 1", "change 0 2", "change 1 2", "data 1 2"}));
    EXPECT_EQ(grid.Cells(0, 2), QStringLiteral("new"));
    EXPECT_TRUE(grid.Cell(1, 1).AsBoolean());
    EXPECT_EQ(grid.Cells(2, 2), QStringLiteral("3"));
    EXPECT_EQ(grid.AddRow(-4), 2);
    EXPECT_EQ(grid.LastAddedRow(), 2);
    EXPECT_EQ(grid.RowHeight(2), 16);
}

TEST_F(GridTest, aDefaultThatDoesNotConvertFailsAfterTheRowIsAdded)
{
    grid.SetOptions({goUseDefaultValues});
    grid.Columns()
        .Add<TGxImageColumn>(QStringLiteral("image"))
        .SetDefaultValue(QStringLiteral("x"));
    grid.Columns().Add<TGxTextColumn>(QStringLiteral("text")).SetDefaultValue(QStringLiteral("t"));
    ExpectError([&] { grid.AddRow(); }, QStringLiteral("'x' is not a valid integer value"));
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Cells(1, 0), QString());
    EXPECT_EQ(grid.LastShownRow(), 0);
    ExpectStoreIntact(grid);
}

TEST_F(GridTest, updateBlocksHoldBackChangeEventsButNotDataEvents)
{
    AddTextColumns(grid, {"a"});
    grid.BeginUpdate();
    grid.BeginUpdate();
    grid.AddRow();
    grid.Cell(0, 0).SetAsString(QStringLiteral("quiet"));
    grid.EndUpdate();
    grid.Cell(0, 0).SetAsString(QStringLiteral("still quiet"));
    grid.EndUpdate();
    grid.EndUpdate();
    EXPECT_EQ(grid.UpdateCount(), 0);
    grid.Cell(0, 0).SetAsString(QStringLiteral("loud"));
    EXPECT_EQ(log, QStringList({"data 1 0", "change 0 0"}));
    EXPECT_FALSE(grid.Realised());
}

TEST_F(GridTest, deleteRowMovesTheRowsBelowUpAndKeepsTheSelectionInRange)
{
    AddTextColumns(grid, {"a"});
    AddTextRows(grid, {{"0"}, {"1"}, {"2"}, {"3"}});
    ExpectError([&] { grid.DeleteRow(4); }, QStringLiteral("List index out of bounds (4)"));
    ExpectError([&] { grid.DeleteRow(-1); }, QStringLiteral("List index out of bounds (-1)"));
    EXPECT_EQ(grid.RowCount(), 4);

    grid.SetSelectedRow(1);
    log.clear();
    grid.DeleteRow(0);
    EXPECT_EQ(grid.SelectedRow(), 1);
    EXPECT_EQ(grid.Cells(0, 1), QStringLiteral("2"));
    grid.SetSelectedRow(2);
    log.clear();
    grid.DeleteRow(2);
    EXPECT_EQ(log, QStringList({"deselect 0 2", "data 5 2"}));
    EXPECT_EQ(grid.SelectedRow(), 1);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"1", "2"}));
    while (grid.RowCount() > 0)
        grid.DeleteRow(0);
    EXPECT_EQ(grid.SelectedRow(), -1);
    EXPECT_EQ(grid.Columns().Count(), 1);
    ExpectStoreIntact(grid);
}

TEST_F(GridTest, insertRowPutsAnEmptyRowInPlaceAndTheSelectionFollowsItsRow)
{
    grid.SetOptions({goUseDefaultValues, goSelectFullRow});
    grid.Columns().Add<TGxTextColumn>(QStringLiteral("a")).SetDefaultValue(QStringLiteral("d"));
    AddTextRows(grid, {{"0"}, {"1"}});
    grid.SetSelectedRow(1);
    log.clear();
    grid.InsertRow(0);
    EXPECT_EQ(log, QStringList({"data 3 0"}));
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"", "0", "1"}));
    EXPECT_EQ(grid.SelectedRow(), 2);
    EXPECT_TRUE(grid.RowSelected(2));
    grid.InsertRow(3);
    EXPECT_EQ(grid.SelectedRow(), 2);
    EXPECT_EQ(grid.LastAddedRow(), 3);
    ExpectError([&] { grid.InsertRow(5); }, QStringLiteral("List index out of bounds (5)"));
    EXPECT_EQ(grid.RowCount(), 4);
}

TEST_F(GridTest, clearRowsEmptiesTheGridButKeepsItsColumns)
{
    AddTextColumns(grid, {"a", "b"});
    AddTextRows(grid, {{"1", "x"}, {"2", "y"}});
    grid.Columns().Items(1).SetSorted(true);
    grid.SetSelectedRow(1);
    log.clear();
    grid.ClearRows();
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.SelectedRow(), -1);
    EXPECT_EQ(grid.SelectedColumn(), 0);
    EXPECT_TRUE(grid.Columns().Items(1).Sorted());
    EXPECT_EQ(grid.CellStore().LiveObjects(), 0u);
}

TEST_F(GridTest, moveAndSwapRowsCheckTheirIndexes)
{
    AddTextColumns(grid, {"a"});
    AddTextRows(grid, {{"0"}, {"1"}, {"2"}});
    grid.MoveRow(0, 2);
    grid.SwapRows(0, 1);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"2", "1", "0"}));
    ExpectError([&] { grid.MoveRow(0, 3); }, QStringLiteral("List index out of bounds (3)"));
    ExpectError([&] { grid.SwapRows(-1, 0); }, QStringLiteral("List index out of bounds (-1)"));
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"2", "1", "0"}));
}

TEST_F(GridTest, startRowCountAddsAndDeletesFromTheTop)
{
    AddTextColumns(grid, {"a"});
    grid.SetStartRowCount(3);
    EXPECT_EQ(grid.RowCount(), 3);
    grid.Cell(0, 2).SetAsString(QStringLiteral("last"));
    grid.SetStartRowCount(1);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"last"}));
    grid.SetStartRowCount(-1);
    EXPECT_EQ(grid.StartRowCount(), 1);
}

TEST_F(GridTest, rowHeightsComeFromRowSizeAndTheMeasuringEvent)
{
    AddTextColumns(grid, {"a"});
    grid.SetRowSize(81);
    grid.SetRowSize(0);
    grid.SetRowSize(-5);
    EXPECT_EQ(grid.RowSize(), 81);
    grid.AddRow(2);
    EXPECT_EQ(grid.RowHeight(0), 81);
    grid.SetRowHeight(1, 40);
    grid.OnMeasuringRowHeight = [](QObject*, int index, int& height) {
        height += index;
    };
    EXPECT_EQ(grid.RowHeight(1), 41);
    ExpectError([&] { grid.RowHeight(2); }, QStringLiteral("List index out of bounds (2)"));
}

TEST_F(GridTest, collapsingARowHidesItsDescendantsAndExpandingShowsThemAgain)
{
    AddTextColumns(grid, {"a"});
    grid.AddRow(2);
    const int child = grid.AddChildRow(0);
    const int grandChild = grid.AddChildRow(child);
    const int second = grid.AddChildRow(0, true);
    EXPECT_EQ(child, 1);
    EXPECT_EQ(grandChild, 2);
    EXPECT_EQ(second, 3);
    EXPECT_EQ(grid.RowLevel(grandChild), 2);
    EXPECT_EQ(grid.VisibleRowCount(), 5);

    QList<int> expanded;
    grid.OnExpand = [&](QObject*, int row) {
        expanded << row;
    };
    grid.SetRowExpanded(child, false);
    grid.SetRowExpanded(0, false);
    EXPECT_EQ(grid.VisibleRowCount(), 2);
    grid.SetRowExpanded(0, true);
    EXPECT_EQ(grid.VisibleRowCount(), 4);
    EXPECT_FALSE(grid.RowShown(grandChild));
    EXPECT_TRUE(grid.RowShown(second));
    grid.SetRowExpanded(grandChild, false);
    EXPECT_EQ(expanded, QList<int>({1, 0, 0}));

    grid.DeleteRow(0);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.VisibleRowCount(), 1);
    ExpectStoreIntact(grid);
}

TEST_F(GridTest, footerFormulasSummariseTheColumn)
{
    auto& sum = grid.Columns().Add<TGxNumberColumn>(QStringLiteral("sum"));
    auto& average = grid.Columns().Add<TGxNumberColumn>(QStringLiteral("average"));
    auto& distinct = grid.Columns().Add<TGxNumberColumn>(QStringLiteral("distinct"));
    auto& maximum = grid.Columns().Add<TGxNumberColumn>(QStringLiteral("maximum"));
    auto& custom = grid.Columns().Add<TGxNumberColumn>(QStringLiteral("custom"));
    sum.Footer().SetFormulaKind(fkSum);
    average.Footer().SetFormulaKind(fkAverage);
    distinct.Footer().SetFormulaKind(fkDistinct);
    maximum.Footer().SetFormulaKind(fkMaximum);
    custom.Footer().SetFormulaKind(fkCustom);
    grid.RecalculateFooters();
    EXPECT_EQ(sum.Footer().Caption(), QStringLiteral("0"));

    for (double value : {2.0, -1.0, 2.0, 7.5}) {
        const int row = grid.AddRow();
        for (int col = 0; col < 5; ++col)
            grid.Cell(col, row).SetAsFloat(value);
    }
    grid.SetRowVisible(3, false);
    grid.OnColumnFooterValue = [](QObject*, int ACol, double& value) {
        value = ACol * 100;
    };
    grid.OnFooterCalculate = [](QObject*, int ACol, double& value) {
        if (ACol == 4)
            value += 1;
    };
    grid.RecalculateFooters();
    EXPECT_EQ(sum.Footer().Caption(), QStringLiteral("10.5"));
    EXPECT_EQ(average.Footer().Caption(), QStringLiteral("2.625"));
    EXPECT_EQ(distinct.Footer().Caption(), QStringLiteral("3"));
    EXPECT_EQ(maximum.Footer().Caption(), QStringLiteral("7.5"));
    EXPECT_EQ(custom.Footer().Caption(), QStringLiteral("401"));
    grid.RecalculateFooters(true);
    EXPECT_EQ(sum.Footer().Caption(), QStringLiteral("3"));
    EXPECT_EQ(average.Footer().Caption(), QStringLiteral("0.75"));
    EXPECT_EQ(maximum.Footer().Caption(), QStringLiteral("2"));
}

TEST_F(GridTest, theGridActsOnColumnChangesOnlyOnceRealised)
{
    AddTextColumns(grid, {"a", "b"});
    QStringList columnEvents;
    grid.OnColumnMove = [&](QObject*, int col, int from, int to) {
        columnEvents << QStringLiteral("move %1 %2 %3").arg(col).arg(from).arg(to);
    };
    grid.OnColumnResize = [&](QObject*, int col) {
        columnEvents << QStringLiteral("resize %1").arg(col);
    };
    grid.Columns().Items(1).SetPosition(0);
    grid.Columns().Items(1).SetWidth(120);
    EXPECT_TRUE(columnEvents.isEmpty());
    EXPECT_EQ(grid.Columns().Items(1).Position(), 0);

    TDataGrid shown;
    shown.show();
    EXPECT_TRUE(shown.Realised());
    grid.ClearRows();
    EXPECT_TRUE(grid.Realised());
    grid.Columns().Items(1).SetPosition(1);
    grid.Columns().Items(0).SetWidth(20);
    EXPECT_EQ(columnEvents, QStringList({"move 1 0 1", "move 1 -1 1", "resize 0"}));
}

TEST_F(GridTest, aDeletedColumnTakesItsCellsAlong)
{
    AddTextColumns(grid, {"a", "b", "c"});
    AddTextRows(grid, {{"a0", "b0", "c0"}, {"a1", "b1", "c1"}});
    grid.ClearRows();
    AddTextRows(grid, {{"a0", "b0", "c0"}, {"a1", "b1", "c1"}});
    grid.Columns().Items(1).SetSorted(true);
    EXPECT_EQ(grid.SortedColumn(), &grid.Columns().Items(1));
    grid.Columns().Delete(1);
    EXPECT_EQ(grid.SortedColumn(), nullptr);
    EXPECT_EQ(grid.Cells(1, 1), QStringLiteral("c1"));
    EXPECT_EQ(grid.Cell("c", 0).AsString(), QStringLiteral("c0"));
    ExpectStoreIntact(grid);
    grid.Columns().Add<TGxTextColumn>(QStringLiteral("d"));
    EXPECT_EQ(grid.Cells(2, 1), QString());
    ExpectStoreIntact(grid);

    grid.SetSelectedRow(1);
    while (grid.Columns().Count() > 0)
        grid.Columns().Delete(0);
    EXPECT_EQ(grid.RowCount(), 0);
    EXPECT_EQ(grid.SelectedRow(), -1);
    EXPECT_EQ(grid.CellStore().LiveObjects(), 0u);
}

TEST_F(GridTest, selectionFollowsTheRowsSelectedFlags)
{
    grid.SetOptions({goSelectFullRow, goMultiSelect});
    AddTextColumns(grid, {"a"});
    grid.AddRow(5);
    bool accept = false;
    grid.OnBeforeSelect = [&](QObject*, int, int, bool& Accept) {
        Accept = accept;
    };
    grid.SetSelectedRow(1);
    EXPECT_EQ(grid.SelectedRow(), -1);
    accept = true;
    grid.SetSelectedRow(1);
    grid.SelectCell(0, 3, Qt::ShiftModifier);
    QList<int> selected;
    for (int row = 0; row < grid.RowCount(); ++row)
        if (grid.RowSelected(row))
            selected << row;
    EXPECT_EQ(selected, QList<int>({1, 2, 3}));
    grid.SelectCell(0, 2, Qt::ControlModifier);
    EXPECT_FALSE(grid.RowSelected(2));
    grid.SetSelectedRow(4);
    EXPECT_TRUE(grid.RowSelected(4));
    EXPECT_FALSE(grid.RowSelected(2));
    grid.SetSelectedRow(7);
    EXPECT_EQ(grid.SelectedRow(), 4);
}
