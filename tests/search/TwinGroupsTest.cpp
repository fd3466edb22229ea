#include "search/TwinGroups.h"

#include <gtest/gtest.h>

namespace {

// Two groups whose copies sit in /a and /b, and a group of one.
//   0 /a/x.jpg  group 1, day 10      3 /a/y.jpg  group 2, day 30
//   1 /b/x.jpg  group 1, day 5       4 /b/yy.jpg group 2, day 30
//   2 /b/x2.jpg group 1, day 20      5 /c/z.jpg  group 3, day 1
std::vector<TTwinRow> TwoFolders(bool marked = true)
{
    return {{1, 10, "/a/x.jpg", marked}, {1, 5, "/b/x.jpg", marked},   {1, 20, "/b/x2.jpg", marked},
            {2, 30, "/a/y.jpg", marked}, {2, 30, "/b/yy.jpg", marked}, {3, 1, "/c/z.jpg", marked}};
}

// Every group keeps at least one unmarked row.
void ExpectNoGroupMarkedWhole(const std::vector<TTwinRow>& rows, const std::vector<bool>& marks)
{
    for (const TTwinRow& row : rows) {
        bool kept = false;
        for (size_t i = 0; i < rows.size(); ++i)
            kept = kept || (rows[i].Group == row.Group && !marks[i]);
        EXPECT_TRUE(kept) << "group " << row.Group << " is marked whole";
    }
}

using Marks = std::vector<bool>;

} // namespace

TEST(TwinGroupsTest, oneKeeperRulesLeaveExactlyTheChosenRowOfEachGroup)
{
    const std::vector<TTwinRow> rows = TwoFolders();
    // Oldest: /b/x.jpg (day 5); equal dates go to the shorter path /a/y.jpg.
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::Oldest), (Marks{1, 0, 1, 0, 1, 0}));
    // Newest: /b/x2.jpg (day 20); equal dates again to the shorter path.
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::Newest), (Marks{1, 1, 0, 0, 1, 0}));
    // Shortest path: /a/x.jpg and /b/x.jpg tie on length, the older /b/x.jpg stays.
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::ShortestPath), (Marks{1, 0, 1, 0, 1, 0}));
    // The rules decide alone: present marks do not matter.
    EXPECT_EQ(KeepRuleMarks(TwoFolders(false), TKeepRule::Newest), (Marks{1, 1, 0, 0, 1, 0}));
}

TEST(TwinGroupsTest, equalDatesAndLengthsFallBackToThePathsBytes)
{
    const std::vector<TTwinRow> rows = {{7, 3, "/p/b.jpg", true}, {7, 3, "/p/a.jpg", true}};
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::Oldest), (Marks{1, 0}));
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::Newest), (Marks{1, 0}));
    EXPECT_TRUE(KeepsBefore(rows[1], rows[0]));
    EXPECT_FALSE(KeepsBefore(rows[0], rows[0]));
}

TEST(TwinGroupsTest, folderRulesActOnlyOnGroupsWithACopyThereAndNeverMarkAGroupWhole)
{
    std::vector<TTwinRow> rows = TwoFolders(false);
    rows[3].Marked = true; // /a/y.jpg
    // Keep the copies in /b: both groups have one there; group 3 has none and keeps its mark.
    const Marks keepB = KeepRuleMarks(rows, TKeepRule::CopiesInFolder, "/b");
    EXPECT_EQ(keepB, (Marks{1, 0, 0, 1, 0, 0}));
    // Mark all in /b, with /a/x.jpg and /a/y.jpg marked by hand: both groups would be whole,
    // so each keeps its oldest copy in /b unmarked.
    rows[0].Marked = true;
    const Marks markB = KeepRuleMarks(rows, TKeepRule::MarkFolder, "/b");
    EXPECT_EQ(markB, (Marks{1, 0, 1, 1, 0, 0}));
    // A folder of no row changes nothing.
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::MarkFolder, "/nowhere"), (Marks{1, 0, 0, 1, 0, 0}));
    for (TKeepRule rule : {TKeepRule::Oldest, TKeepRule::Newest, TKeepRule::ShortestPath,
                           TKeepRule::CopiesInFolder, TKeepRule::MarkFolder})
        for (const char* folder : {"/a", "/b", "/c"}) {
            SCOPED_TRACE(folder);
            ExpectNoGroupMarkedWhole(rows, KeepRuleMarks(TwoFolders(false), rule, folder));
        }
}

TEST(TwinGroupsTest, rulesOnNoRowsGiveNoMarks)
{
    EXPECT_TRUE(KeepRuleMarks({}, TKeepRule::Oldest).empty());
    EXPECT_TRUE(KeeperOfEachRow({}).empty());
    EXPECT_TRUE(GroupedOrder(
                    {}, [](int, int) { return 0; }, true)
                    .empty());
}

TEST(TwinGroupsTest, theKeeperIsTheFirstUnmarkedRowByTheDefaultOrder)
{
    std::vector<TTwinRow> rows = TwoFolders();
    rows[2].Marked = false;
    // Group 1: only /b/x2.jpg is unmarked; group 2 is marked whole: its default keeper.
    EXPECT_EQ(KeeperOfEachRow(rows), (std::vector<int>{2, 2, 2, 3, 3, 5}));
}

// Rows sorted by a value each, groups kept together and ordered by their keepers' values.
TEST(TwinGroupsTest, groupedOrderKeepsGroupsTogetherInBothDirections)
{
    std::vector<TTwinRow> rows = TwoFolders();
    // Keepers unmarked: /b/x.jpg (value 50) for group 1, /b/yy.jpg (value 10) for group 2.
    rows[1].Marked = rows[4].Marked = false;
    const std::vector<int> values = {60, 50, 5, 40, 10, 30};
    const auto compare = [&](int a, int b) {
        return values[size_t(a)] - values[size_t(b)];
    };
    EXPECT_EQ(GroupedOrder(rows, compare, true), (std::vector<int>{4, 3, 5, 2, 1, 0}));
    EXPECT_EQ(GroupedOrder(rows, compare, false), (std::vector<int>{0, 1, 2, 5, 3, 4}));
    // Equal keys keep the present order of groups and rows.
    EXPECT_EQ(GroupedOrder(
                  rows, [](int, int) { return 0; }, true),
              (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

// A copy in a reference folder is never marked, and a group with one keeps it instead of
// choosing a keeper of its own: every rule leaves its other copies marked or as the folder asks.
TEST(TwinGroupsTest, referenceCopiesAreNeverMarkedAndAreTheCopyTheirGroupKeeps)
{
    std::vector<TTwinRow> rows = TwoFolders();
    rows[2].Reference = true; // /b/x2.jpg, the newest of group 1
    rows[4].Reference = true; // /b/yy.jpg, the longer path of group 2
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::Oldest), (Marks{1, 1, 0, 1, 0, 0}));
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::Newest), (Marks{1, 1, 0, 1, 0, 0}));
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::ShortestPath), (Marks{1, 1, 0, 1, 0, 0}));
    // Marking all of /b marks its three copies without references, and leaves the reference
    // copies alone with them, so /b/x.jpg alone goes then.
    EXPECT_EQ(KeepRuleMarks(TwoFolders(false), TKeepRule::MarkFolder, "/b"),
              (Marks{0, 1, 1, 0, 1, 0}));
    rows = [] {
        std::vector<TTwinRow> unmarked = TwoFolders(false);
        unmarked[2].Reference = unmarked[4].Reference = true;
        return unmarked;
    }();
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::MarkFolder, "/b"), (Marks{0, 1, 0, 0, 0, 0}));
    // Keeping the copies of /a marks every other copy but the reference ones.
    EXPECT_EQ(KeepRuleMarks(rows, TKeepRule::CopiesInFolder, "/a"), (Marks{0, 1, 0, 0, 0, 0}));
    for (const TKeepRule rule : {TKeepRule::Oldest, TKeepRule::Newest, TKeepRule::ShortestPath})
        ExpectNoGroupMarkedWhole(rows, KeepRuleMarks(rows, rule));
}
