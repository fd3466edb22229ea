#include "platform/ProgressBar.h"

#include "platform/Exception.h"

#include <gtest/gtest.h>

TEST(ProgressBarTest, maximumBelowMinimumIsRefusedAndChangesNothing)
{
    TProgressBar bar;
    bar.SetMax(10);
    bar.SetPosition(4);
    try {
        bar.SetMax(-1);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Property value out of range"));
    }
    EXPECT_EQ(bar.Max(), 10);
    EXPECT_EQ(bar.Position(), 4);
    EXPECT_EQ(bar.value(), 4);
    EXPECT_THROW(bar.SetMin(11), EInvalidOperation);
    EXPECT_EQ(bar.Min(), 0);
}

TEST(ProgressBarTest, zeroIsAValidMaximum)
{
    TProgressBar bar;
    bar.SetMax(0);
    EXPECT_EQ(bar.Max(), 0);
    bar.SetPosition(0);
    EXPECT_EQ(bar.value(), bar.minimum()); // empty, not a busy indicator
    EXPECT_LT(bar.minimum(), bar.maximum());
    bar.SetPosition(1);
    EXPECT_EQ(bar.value(), bar.maximum());
}

TEST(ProgressBarTest, positionAboveTheMaximumShowsAFullBar)
{
    TProgressBar bar;
    bar.SetMax(3);
    bar.SetPosition(4);
    EXPECT_EQ(bar.Position(), 4);
    EXPECT_EQ(bar.value(), 3);
    bar.SetPosition(-2);
    EXPECT_EQ(bar.value(), 0);
    bar.SetPosition(2);
    EXPECT_EQ(bar.value(), 2);
}

// A range larger than any bar's pixels is drawn in fewer steps; the position is kept as given
// and both ends are exact.
TEST(ProgressBarTest, aLongRangeIsDrawnInFewerSteps)
{
    TProgressBar bar;
    bar.SetMax(200000);
    bar.SetPosition(100000);
    EXPECT_EQ(bar.Position(), 100000);
    EXPECT_EQ(bar.value() - bar.minimum(), (bar.maximum() - bar.minimum()) / 2);
    EXPECT_LE(bar.maximum() - bar.minimum(), TProgressBar::ShownSteps);
    bar.SetPosition(200001);
    EXPECT_EQ(bar.value(), bar.maximum());
    bar.SetPosition(0);
    EXPECT_EQ(bar.value(), bar.minimum());
    bar.SetMax(10);
    bar.SetPosition(7);
    EXPECT_EQ(bar.value(), 7);
    EXPECT_EQ(bar.maximum(), 10);
}
