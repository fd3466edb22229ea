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

// The summary counts bytes from the texts the grid holds: every size must come back whole.
TEST(SizeTextTest, readsBackTheBytesItWasMadeFrom)
{
    for (int64_t size : {int64_t(0), int64_t(500), int64_t(1024), int64_t(1025), int64_t(1500),
                         int64_t(1048576), int64_t(1048577), int64_t(5000000), int64_t(123456789),
                         int64_t(5368709121), int64_t(987654321987)})
        EXPECT_EQ(SizeTextBytes(SizeText(double(size))), size) << size;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const int64_t german = SizeTextBytes(SizeText(1500));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(german, 1500);
    EXPECT_EQ(SizeTextBytes(QString()), 0);
    EXPECT_EQ(SizeTextBytes(QStringLiteral("many KB")), 0);
}
