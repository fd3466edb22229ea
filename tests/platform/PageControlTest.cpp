#include "platform/PageControl.h"

#include <QTabBar>
#include <gtest/gtest.h>

namespace {

void AddPages(TPageControl& pages, int count)
{
    for (int i = 0; i < count; ++i)
        pages.AddPage(new QWidget, QStringLiteral("TabSheet%1").arg(i + 1));
}

} // namespace

TEST(PageControlTest, selectNextPageStepsAndWrapsBothWays)
{
    TPageControl pages;
    AddPages(pages, 4);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    pages.SelectNextPage(false);
    EXPECT_EQ(pages.ActivePageIndex(), 3);
    pages.SelectNextPage(true);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    for (int expected : {1, 2, 3}) {
        pages.SelectNextPage(true);
        EXPECT_EQ(pages.ActivePageIndex(), expected);
    }
    pages.SelectNextPage(false);
    EXPECT_EQ(pages.ActivePageIndex(), 2);
}

TEST(PageControlTest, hiddenTabsAreNotSkippedAndHidingEveryTabRemovesTheStrip)
{
    TPageControl pages;
    AddPages(pages, 3);
    pages.show();
    auto* strip = pages.findChild<QTabBar*>();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->isVisible());
    pages.SetActivePageIndex(1);
    pages.SetTabVisible(1, false);
    EXPECT_EQ(pages.ActivePageIndex(), 1); // hiding the active tab keeps the page
    pages.SelectNextPage(false);
    EXPECT_EQ(pages.ActivePageIndex(), 0);
    pages.SelectNextPage(true);
    EXPECT_EQ(pages.ActivePageIndex(), 1);
    pages.SetTabVisible(0, false);
    pages.SetTabVisible(2, false);
    EXPECT_FALSE(strip->isVisible());
    EXPECT_TRUE(pages.Page(1)->isVisible());
}

TEST(PageControlTest, emptyControlIgnoresNavigation)
{
    TPageControl pages;
    pages.SelectNextPage(true);
    EXPECT_EQ(pages.ActivePageIndex(), -1);
}
