#include "search/TwinSummary.h"

#include <gtest/gtest.h>

TEST(TwinSummaryTest, countsFollowEveryMarkWithOneCopyOfAWholeGroupLeftOut)
{
    TTwinSummary summary;
    EXPECT_EQ(summary.Text(), QStringLiteral("0 files in 0 groups, 0 B can be freed"));
    // Group 1: three files of 1,000 bytes, two marked; group 2: two of 3 MB, one marked.
    summary.AddRow(1, 1000, true);
    summary.AddRow(1, 1000, false);
    summary.AddRow(1, 1000, true);
    summary.AddRow(2, 3 << 20, true);
    summary.AddRow(2, 3 << 20, false);
    EXPECT_EQ(summary.Files(), 5);
    EXPECT_EQ(summary.Groups(), 2);
    EXPECT_EQ(summary.FreedBytes(), 2000 + (3 << 20));
    EXPECT_EQ(summary.Text(), QStringLiteral("5 files in 2 groups, 3.0 MB can be freed"));
    EXPECT_EQ(summary.WholeGroupsText(), QString());

    // Marking the last copy of group 2 frees nothing more: one copy stays.
    summary.MarkChanged(2, true);
    EXPECT_EQ(summary.FreedBytes(), 2000 + (3 << 20));
    EXPECT_EQ(summary.WholeGroups(), 1);
    EXPECT_TRUE(summary.IsWhole(2));
    EXPECT_FALSE(summary.IsWhole(1));
    EXPECT_EQ(summary.WholeGroupsText(),
              QStringLiteral("1 group is marked whole: one copy of it will stay."));
    summary.MarkChanged(1, true);
    EXPECT_EQ(summary.WholeGroupsText(),
              QStringLiteral("2 groups are marked whole: one copy of each will stay."));
    summary.MarkChanged(1, false);
    summary.MarkChanged(1, false);
    summary.MarkChanged(2, false);
    EXPECT_EQ(summary.FreedBytes(), 1000 + (3 << 20));
    EXPECT_EQ(summary.WholeGroups(), 0);

    summary.Clear();
    EXPECT_EQ(summary.Files(), 0);
    EXPECT_EQ(summary.FreedBytes(), 0);
}

TEST(TwinSummaryTest, byteCountsHaveOneDecimalAboveBytes)
{
    EXPECT_EQ(ByteCountText(0), QStringLiteral("0 B"));
    EXPECT_EQ(ByteCountText(1023), QStringLiteral("1023 B"));
    EXPECT_EQ(ByteCountText(1024), QStringLiteral("1.0 KB"));
    EXPECT_EQ(ByteCountText(1536), QStringLiteral("1.5 KB"));
    EXPECT_EQ(ByteCountText(int64_t(5) << 20), QStringLiteral("5.0 MB"));
    EXPECT_EQ(ByteCountText((int64_t(3) << 30) + (int64_t(1) << 29)), QStringLiteral("3.5 GB"));
    EXPECT_EQ(ByteCountText(int64_t(2048) << 30), QStringLiteral("2048.0 GB"));
}
