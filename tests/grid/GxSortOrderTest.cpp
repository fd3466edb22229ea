#include "GridTestSupport.h"
#include "platform/Exception.h"

namespace {

// A realised grid of two text columns, key and label, whose sorts a handler may order.
class SortOrderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddTextColumns(grid, {"key", "label"});
        grid.ClearRows();
        AddTextRows(grid, {{"b", "A"}, {"c", "B"}, {"a", "C"}, {"d", "D"}});
    }

    TDataGrid grid;
};

} // namespace

TEST_F(SortOrderTest, aHandlersOrderReplacesTheSortAndTheSelectionStaysOnItsRow)
{
    std::vector<bool> asked;
    grid.OnSortOrder = [&](QObject* sender, int col, bool ascending, std::vector<int>& order) {
        EXPECT_EQ(sender, &grid);
        EXPECT_EQ(col, 0);
        asked.push_back(ascending);
        order = ascending ? std::vector<int>{3, 0, 2, 1} : std::vector<int>{1, 3, 2, 0};
    };
    int afterSorts = 0;
    grid.OnAfterSort = [&](QObject*, int) {
        ++afterSorts;
    };
    grid.SetSelectedRow(2);
    grid.Columns().Items(0).SetSorted(true);
    EXPECT_EQ(ColumnTexts(grid, 1), (QStringList{"D", "A", "C", "B"}));
    EXPECT_EQ(grid.SelectedRow(), 2);
    grid.Columns().Items(0).SetSortKind(skDescending);
    EXPECT_EQ(ColumnTexts(grid, 1), (QStringList{"A", "B", "C", "D"}));
    EXPECT_EQ(grid.SelectedRow(), 2);
    EXPECT_EQ(asked, (std::vector<bool>{true, false}));
    EXPECT_EQ(afterSorts, 2);

    // Left empty, the grid sorts by itself.
    grid.OnSortOrder = [](QObject*, int, bool, std::vector<int>&) {
    };
    grid.Columns().Items(0).SetSortKind(skAscending);
    EXPECT_EQ(ColumnTexts(grid, 0), (QStringList{"a", "b", "c", "d"}));
}

TEST_F(SortOrderTest, anOrderThatIsNotEveryRowOnceIsRefusedBeforeAnythingMoves)
{
    for (const std::vector<int>& order :
         {std::vector<int>{0, 1, 2}, std::vector<int>{0, 1, 1, 3}, std::vector<int>{0, 1, 2, 4}}) {
        EXPECT_THROW(grid.ArrangeRows(order), EListError);
        EXPECT_EQ(ColumnTexts(grid, 1), (QStringList{"A", "B", "C", "D"}));
    }
    grid.ArrangeRows({2, 0, 3, 1});
    EXPECT_EQ(ColumnTexts(grid, 1), (QStringList{"C", "A", "D", "B"}));
}
