#include "app/FormGrids.h"

#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "platform/ImageList.h"

#include <gtest/gtest.h>

namespace {

struct ExpectedColumn
{
    const char* name;
    const char* caption;
    int width;
    TAlignment alignment;
    TAlignment headerAlignment;
    const char* defaultValue;
    TSortType sortType;
    TCellKind cellKind;
};

void ExpectColumns(TDataGrid& grid, const std::vector<ExpectedColumn>& expected)
{
    ASSERT_EQ(grid.Columns().Count(), int(expected.size()));
    for (int index = 0; index < int(expected.size()); ++index) {
        const ExpectedColumn& want = expected[size_t(index)];
        const TGxCustomColumn& column = grid.Columns().Items(index);
        SCOPED_TRACE(want.name);
        EXPECT_EQ(column.Name(), QString::fromLatin1(want.name));
        EXPECT_EQ(column.Header().Caption(), QString::fromLatin1(want.caption));
        EXPECT_EQ(column.Width(), want.width);
        EXPECT_EQ(column.DefaultWidth(), want.width);
        EXPECT_EQ(column.Alignment(), want.alignment);
        EXPECT_EQ(column.Header().Alignment(), want.headerAlignment);
        EXPECT_EQ(column.DefaultValue(), QString::fromLatin1(want.defaultValue));
        EXPECT_EQ(column.SortType(), want.sortType);
        EXPECT_EQ(column.CellKind(), want.cellKind);
        EXPECT_EQ(column.Position(), index);
    }
}

class FormGridsTest : public ::testing::Test
{
protected:
    TImageList images{100, 75};
    TDataGrid grid;
};

} // namespace

TEST_F(FormGridsTest, resultsGridHasTheLayoutsColumnsAndSettings)
{
    SetupResultsGrid(grid, images);
    EXPECT_EQ(grid.objectName(), QStringLiteral("DataGrid1"));
    EXPECT_EQ(grid.Options(),
              TGridOptions({goGrid, goHeader, goSelectFullRow, goUseDefaultValues}));
    EXPECT_EQ(grid.RowSize(), 81);
    ExpectColumns(
        grid,
        {{"GxNumberColumn1", "#", 27, taCenter, taLeftJustify, "0", stAlphabetic, ckIncrement},
         {"Dest", "Destanation", 242, taLeftJustify, taLeftJustify, "", stAlphabetic, ckString},
         {"Size", "Size", 74, taLeftJustify, taLeftJustify, "", stAlphabetic, ckString},
         {"Res", "Resolution", 93, taCenter, taCenter, "", stAlphabetic, ckString},
         {"Date", "Date creating", 81, taLeftJustify, taLeftJustify, "", stAlphabetic, ckString},
         {"Priv", "Priview", 138, taCenter, taCenter, "0", stNumeric, ckInteger},
         {"Del", "Delete", 80, taCenter, taCenter, "True", stBoolean, ckBoolean},
         {"Group", "", 80, taRightJustify, taLeftJustify, "0", stNumeric, ckFloat},
         {"Ref", "", 80, taLeftJustify, taLeftJustify, "False", stAlphabetic, ckString}});

    auto* priv = dynamic_cast<TGxImageColumn*>(grid.ColumnByName(QStringLiteral("Priv")));
    ASSERT_NE(priv, nullptr);
    EXPECT_EQ(priv->Images(), &images);
    EXPECT_NE(dynamic_cast<TGxIncrementColumn*>(&grid.Columns().Items(0)), nullptr);
    EXPECT_NE(dynamic_cast<TGxCheckBoxColumn*>(grid.ColumnByName(QStringLiteral("Del"))), nullptr);
    EXPECT_EQ(grid.ColumnByName(QStringLiteral("Del"))->Options(),
              TColumnOptions(
                  {coCanClick, coCanInput, coCanSort, coDontHighlight, coEditing, coPublicUsing}));
    auto* group = dynamic_cast<TGxNumberColumn*>(grid.ColumnByName(QStringLiteral("Group")));
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(group->Visible());
    EXPECT_EQ(group->VisibleIndex(), -1);
    EXPECT_EQ(group->Increment(), 1.0);
    EXPECT_EQ(group->Precision(), 0);
    EXPECT_FALSE(grid.ColumnByName(QStringLiteral("Ref"))->Visible());
    EXPECT_TRUE(grid.ColumnByName(QStringLiteral("Size"))->Sorted());
    EXPECT_EQ(grid.Columns().VisibleWidth(), 27 + 242 + 74 + 93 + 81 + 138 + 80);
}

TEST_F(FormGridsTest, aNewResultRowIsMarkedForRemovalAndKeepsTheOrderOfAddition)
{
    SetupResultsGrid(grid, images);
    for (const char* size : {"2 KB", "1 KB", "3 KB"}) {
        const int row = grid.AddRow();
        grid.Cell("Size", row).SetAsString(QString::fromLatin1(size));
    }
    for (int row = 0; row < grid.RowCount(); ++row) {
        EXPECT_TRUE(grid.Cell("Del", row).AsBoolean());
        EXPECT_EQ(grid.Cell("Priv", row).AsInteger(), 0);
        EXPECT_EQ(grid.Cell("Group", row).AsString(), QStringLiteral("0"));
        EXPECT_EQ(grid.Cell("GxNumberColumn1", row).AsString(), QString::number(row + 1));
        EXPECT_EQ(grid.RowHeight(row), 81);
    }
    // The Size column came sorted from the layout, which sorts nothing.
    EXPECT_EQ(grid.Cells(2, 0), QStringLiteral("2 KB"));
    EXPECT_EQ(grid.Cells(2, 2), QStringLiteral("3 KB"));
    EXPECT_EQ(grid.SortedColumn(), nullptr);
}
