#include "grid/shared/GxThemesSupport.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <gtest/gtest.h>

namespace {

// The shared test main runs every test with Fusion; put it back after changing the style.
class ThemesSupportTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }
};

} // namespace

TEST_F(ThemesSupportTest, themedUnlessTheClassicWindowsStyleIsInUse)
{
    EXPECT_TRUE(ThemesAvailable());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    EXPECT_FALSE(ThemesAvailable());
    QApplication::setStyle(new QProxyStyle(QStyleFactory::create(QStringLiteral("windows"))));
    EXPECT_FALSE(ThemesAvailable());
    QApplication::setStyle(new QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    EXPECT_TRUE(ThemesAvailable());
}
