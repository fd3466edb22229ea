#include "GridTestSupport.h"
#include "platform/Exception.h"
#include "platform/Random.h"

#include <algorithm>
#include <random>

namespace {

// A realised grid of two text columns: the sort key and a label that tells the rows apart.
class SortTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        AddTextColumns(grid, {"key", "label"});
        grid.ClearRows();
    }

    TGxCustomColumn& Key() { return grid.Columns().Items(0); }

    void Fill(const QStringList& keys)
    {
        for (int i = 0; i < keys.size(); ++i)
            AddTextRows(grid, {{keys[i], QString(QChar(u'A' + i))}});
    }

    // Sorts by the key with a fresh generator and returns the labels in their new order.
    QStringList SortFresh(TSortType sortType = stAlphabetic)
    {
        Key().SetSortType(sortType);
        Rng::SetSeed(0);
        Key().SetSorted(true);
        return ColumnTexts(grid, 1);
    }

    TDataGrid grid;
};

} // namespace

TEST_F(SortTest, equalKeysComeOutInTheOrderThePivotsOfAFreshGeneratorGive)
{
    AddTextRows(grid, {{"k", "P"}, {"k", "Q"}});
    EXPECT_EQ(SortFresh(), QStringList({"Q", "P"}));
    EXPECT_EQ(Rng::Seed(), 1u);

    grid.ClearRows();
    AddTextRows(grid, {{"k", "P"}, {"k", "Q"}, {"k", "R"}});
    EXPECT_EQ(SortFresh(), QStringList({"R", "P", "Q"}));
    EXPECT_EQ(Rng::Seed(), 134775814u);
}

TEST_F(SortTest, alphabeticOrderComparesCodeUnitsNotNumbers)
{
    Fill({"1024", "999", "1536", "1024"});
    SortFresh();
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"1024", "1024", "1536", "999"}));

    grid.ClearRows();
    Fill({"b", "B", "\u00e9", "a", "ab", "", "Z"});
    SortFresh();
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"", "B", "Z", "a", "ab", "b", "\u00e9"}));
}

TEST_F(SortTest, aDirectionChangeOnAnUnchangedGridOnlyReversesTheRows)
{
    Fill({"3", "1", "2", "2"});
    SortFresh();
    const QStringList ascending = ColumnTexts(grid, 1);
    const uint32_t seed = Rng::Seed();
    Key().SetSortKind(skDescending);
    EXPECT_EQ(Rng::Seed(), seed);
    QStringList reversed = ascending;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(ColumnTexts(grid, 1), reversed);

    // A deletion keeps the order valid; a write does not.
    grid.DeleteRow(0);
    Key().SetSortKind(skAscending);
    EXPECT_EQ(Rng::Seed(), seed);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"1", "2", "2"}));
    grid.Cell(1, 0).SetAsString(QStringLiteral("relabelled"));
    Key().SetSortKind(skDescending);
    EXPECT_NE(Rng::Seed(), seed);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"2", "2", "1"}));
}

TEST_F(SortTest, sortingTwiceInTheSameDirectionOrWithFullResortRunsTheQuicksort)
{
    Fill({"b", "a", "c"});
    SortFresh();
    uint32_t seed = Rng::Seed();
    Key().SetSorted(true);
    EXPECT_NE(Rng::Seed(), seed);

    Key().SetOptions(Key().Options() + TColumnOptions{coFullResort});
    seed = Rng::Seed();
    Key().SetSortKind(skDescending);
    EXPECT_NE(Rng::Seed(), seed);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"c", "b", "a"}));
}

TEST_F(SortTest, eachSortTypeHasItsOwnComparison)
{
    Fill({"10", "9", "100", "-1.5"});
    SortFresh(stNumeric);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"-1.5", "9", "10", "100"}));

    grid.ClearRows();
    Fill({"True", "0", "false", "1"});
    SortFresh(stBoolean);
    QStringList falses = ColumnTexts(grid, 0).mid(0, 2);
    QStringList trues = ColumnTexts(grid, 0).mid(2);
    falses.sort();
    trues.sort();
    EXPECT_EQ(falses, QStringList({"0", "false"}));
    EXPECT_EQ(trues, QStringList({"1", "True"}));

    grid.ClearRows();
    Fill({"b", "A", "\u00e9", "z", "\u0100x", "Ab"});
    SortFresh(stCaseInsensitive);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"\u0100x", "A", "Ab", "b", "z", "\u00e9"}));

    grid.ClearRows();
    const QString later = DateTimeToStr(EncodeDateTime(2024, 1, 2));
    const QString earlier = DateTimeToStr(EncodeDateTime(2023, 12, 31, 10, 0));
    Fill({later, QString(), earlier});
    SortFresh(stDate);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({QString(), earlier, later}));

    grid.ClearRows();
    Fill({"10.0.0.2", "9.255.1.1", "10.0.0.10", "10.0", "host 10.0.0.3"});
    SortFresh(stIP);
    EXPECT_EQ(ColumnTexts(grid, 0),
              QStringList({"9.255.1.1", "10.0", "10.0.0.2", "host 10.0.0.3", "10.0.0.10"}));
}

TEST_F(SortTest, customSortsAskTheCompareEventAndWithoutOneKeepEveryRow)
{
    Fill({"ccc", "a", "bb"});
    int comparisons = 0;
    grid.OnCompare = [&](QObject* sender, TCell& a, TCell& b, int& compare) {
        EXPECT_EQ(sender, &grid);
        EXPECT_EQ(compare, 0);
        ++comparisons;
        compare = int(a.AsString().size() - b.AsString().size());
    };
    SortFresh(stCustom);
    EXPECT_GT(comparisons, 0);
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"a", "bb", "ccc"}));

    grid.OnCompare = nullptr;
    Key().SetSorted(true);
    QStringList labels = ColumnTexts(grid, 1);
    labels.sort();
    EXPECT_EQ(labels, QStringList({"A", "B", "C"}));
}

TEST_F(SortTest, aComparisonThatContradictsItselfNeverWalksOffTheRows)
{
    Fill(QStringList(40, QStringLiteral("x")));
    std::mt19937 random(3);
    grid.OnCompare = [&](QObject*, TCell&, TCell&, int& compare) {
        compare = int(random() % 3) - 1;
    };
    for (int attempt = 0; attempt < 20; ++attempt) {
        try {
            SortFresh(stCustom);
        } catch (const EInvalidOperation& error) {
            EXPECT_EQ(error.Message(), QStringLiteral("The sort's comparison contradicts itself"));
        }
        ExpectStoreIntact(grid);
    }
}

TEST_F(SortTest, aFailingAccessorLeavesEveryRowWholeAndTheOrderUntrusted)
{
    const QStringList original{"3", "1", "abc", "2", "5", "4"};
    Fill(original);
    SortFresh();
    const auto expectConvertError = [] {
        return [](auto&& action) {
            try {
                action();
                ADD_FAILURE() << "the sort did not fail";
            } catch (const EConvertError& error) {
                EXPECT_EQ(error.Message(),
                          QStringLiteral("'abc' is not a valid floating point value"));
            }
        };
    }();
    expectConvertError([&] { Key().SetSortType(stNumeric); });
    ExpectStoreIntact(grid);
    const QStringList keys = ColumnTexts(grid, 0);
    const QStringList labels = ColumnTexts(grid, 1);
    for (int row = 0; row < grid.RowCount(); ++row)
        EXPECT_EQ(original[labels[row][0].unicode() - u'A'], keys[row]);

    // The half-sorted rows are no order to reverse: a direction change compares again.
    expectConvertError([&] { Key().SetSortKind(skDescending); });
    ExpectStoreIntact(grid);
}

TEST_F(SortTest, eventsSurroundTheSortAndTheSelectionStaysOnItsRow)
{
    QStringList log;
    grid.OnSortColumn = [&](QObject*, int col, bool ascending) {
        log << QStringLiteral("sort %1 %2").arg(col).arg(ascending);
    };
    grid.OnAfterSort = [&](QObject*, int col) {
        log << QStringLiteral("after %1").arg(col);
    };
    Key().SetSorted(true);
    EXPECT_EQ(log, QStringList({"sort 0 1", "after 0"}));

    grid.SetOptions({goSelectFullRow});
    Fill({"d", "b", "a", "c"});
    grid.SetSelectedRow(0);
    log.clear();
    Key().SetSortKind(skDescending);
    EXPECT_EQ(log, QStringList({"sort 0 0", "after 0"}));
    EXPECT_EQ(ColumnTexts(grid, 0), QStringList({"d", "c", "b", "a"}));
    EXPECT_EQ(grid.Cells(0, grid.SelectedRow()), QStringLiteral("d"));
    Key().SetSortKind(skAscending);
    EXPECT_EQ(grid.SelectedRow(), 3);
    EXPECT_TRUE(grid.RowSelected(3));

    log.clear();
    Key().SetOptions(Key().Options() - TColumnOptions{coCanSort});
    Key().SetSorted(true);
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(SortTest, aSortedColumnSortsNothingBeforeTheGridIsRealised)
{
    TDataGrid fresh;
    AddTextColumns(fresh, {"key"});
    fresh.Columns().Items(0).SetSorted(true);
    fresh.BeginUpdate();
    AddTextRows(fresh, {{"b"}, {"a"}});
    fresh.EndUpdate();
    fresh.Columns().Items(0).SetSorted(true);
    EXPECT_FALSE(fresh.Realised());
    EXPECT_EQ(ColumnTexts(fresh, 0), QStringList({"b", "a"}));
    fresh.AddRow();
    fresh.Columns().Items(0).SetSorted(true);
    EXPECT_EQ(ColumnTexts(fresh, 0), QStringList({"", "a", "b"}));
}

TEST_F(SortTest, randomTablesSortIntoOrderBothWays)
{
    std::mt19937 random(11);
    for (int size : {0, 1, 2, 3, 10, 257, 2000}) {
        grid.ClearRows();
        QStringList keys;
        for (int i = 0; i < size; ++i)
            keys << QString::number(random() % (size / 3 + 2));
        grid.BeginUpdate();
        for (const QString& key : keys)
            grid.Cell(0, grid.AddRow()).SetAsString(key);
        grid.EndUpdate();
        QStringList expected = keys;
        expected.sort();
        Key().SetSortKind(skAscending);
        Key().SetSorted(true);
        EXPECT_EQ(ColumnTexts(grid, 0), expected) << size;
        Key().SetOptions(Key().Options() + TColumnOptions{coFullResort});
        Key().SetSortKind(skDescending);
        std::reverse(expected.begin(), expected.end());
        EXPECT_EQ(ColumnTexts(grid, 0), expected) << size;
        Key().SetOptions(Key().Options() - TColumnOptions{coFullResort});
        ExpectStoreIntact(grid);
    }
}

TEST_F(SortTest, longTextsSharingTheirBeginningSortByTheirWholeText)
{
    // Units below and above U+0100, and U+0000, in texts longer than the first eight units.
    const char16_t alphabet[] = {u'a', u'b', u'\0', u'\u00e9', u'\u0101'};
    std::mt19937 random(5);
    QStringList keys;
    for (int i = 0; i < 600; ++i) {
        QString key = QStringLiteral("abcdefg").left(int(random() % 8));
        const int extra = int(random() % 6);
        for (int k = 0; k < extra; ++k)
            key += QChar(alphabet[random() % 5]);
        keys << key;
    }
    for (const QString& key : keys)
        grid.Cell(0, grid.AddRow()).SetAsString(key);
    QStringList expected = keys;
    expected.sort();
    SortFresh();
    EXPECT_EQ(ColumnTexts(grid, 0), expected);
}
