#include "search/SizeText.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(SizeTextTest, eachLimitBelongsToTheLowerUnit)
{
    EXPECT_EQ(SizeText(0), QStringLiteral("0 B"));
    EXPECT_EQ(SizeText(500), QStringLiteral("500 B"));
    EXPECT_EQ(SizeText(1024), QStringLiteral("1024 B"));
    EXPECT_EQ(SizeText(1025), QStringLiteral("1.0009765625 KB"));
    EXPECT_EQ(SizeText(1500), QStringLiteral("1.46484375 KB"));
    EXPECT_EQ(SizeText(1048576), QStringLiteral("1024 KB"));
    EXPECT_EQ(SizeText(1048577), QStringLiteral("1.00000095367432 MB"));
    EXPECT_EQ(SizeText(5000000), QStringLiteral("4.76837158203125 MB"));
    EXPECT_EQ(SizeText(5368709120.0), QStringLiteral("5120 MB"));
}

TEST(SizeTextTest, usesTheLocalesDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = SizeText(1500);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(text, QStringLiteral("1,46484375 KB"));
}
