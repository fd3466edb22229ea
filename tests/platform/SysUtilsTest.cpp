#include "platform/SysUtils.h"

#include "platform/Exception.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

template <typename F> QString ErrorOf(F&& f)
{
    try {
        f();
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return {};
}

struct LocaleScope
{
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

} // namespace

TEST(SysUtilsTest, integersBothWays)
{
    EXPECT_EQ(IntToStr(-42), QStringLiteral("-42"));
    EXPECT_EQ(StrToInt(QStringLiteral("  17")), 17);
    EXPECT_EQ(StrToInt(QStringLiteral("-2147483648")), INT32_MIN);
    EXPECT_EQ(StrToInt(QStringLiteral("$1F")), 31);
    EXPECT_EQ(StrToInt(QStringLiteral("+0x10")), 16);
    for (const char* bad : {"", "12a", "2147483648", "1 ", "-", "$", "1.5"})
        EXPECT_EQ(ErrorOf([&] { StrToInt(QString::fromLatin1(bad)); }),
                  QStringLiteral("'%1' is not a valid integer value").arg(QLatin1String(bad)))
            << bad;
}

TEST(SysUtilsTest, floatsUseTheGeneralFormat)
{
    EXPECT_EQ(FloatToStr(2048), QStringLiteral("2048"));
    EXPECT_EQ(FloatToStr(1500.0 / 1024), QStringLiteral("1.46484375"));
    EXPECT_EQ(FloatToStr(5000000.0 / 1024 / 1024), QStringLiteral("4.76837158203125"));
    EXPECT_EQ(FloatToStr(999999999999999.0), QStringLiteral("999999999999999"));
    EXPECT_EQ(FloatToStr(-999999999999999.0), QStringLiteral("-999999999999999"));
    EXPECT_EQ(FloatToStr(1e15), QStringLiteral("1E15"));
    EXPECT_EQ(FloatToStr(1234567890123456.0), QStringLiteral("1.23456789012346E15"));
    EXPECT_EQ(FloatToStr(101), QStringLiteral("101"));
    EXPECT_EQ(FloatToStr(1.0 / 3), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(FloatToStr(2.0 / 3), QStringLiteral("0.666666666666667"));
    EXPECT_EQ(FloatToStr(-0.5), QStringLiteral("-0.5"));
    EXPECT_EQ(FloatToStr(0.0001), QStringLiteral("0.0001"));
    EXPECT_EQ(FloatToStr(1e15), QStringLiteral("1E15"));
    EXPECT_EQ(FloatToStr(1.25e-7), QStringLiteral("1.25E-7"));
    // 0.5 at the sixteenth digit is a true half of the binary value: it goes away from zero.
    EXPECT_EQ(FloatToStr(0.1000000000000005), QStringLiteral("0.100000000000001"));
    EXPECT_EQ(FloatToStr(9.9999999999999995), QStringLiteral("10"));
}

TEST(SysUtilsTest, fixedDecimalsRoundHalvesAwayFromZero)
{
    const struct
    {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {3.14159, 2, "3.14"},
        {0.125, 2, "0.13"},
        {-9.5, 0, "-10"},
        {9.995, 2, "9.99"},
        {9.9951, 2, "10.00"},
        {0.004, 2, "0.00"},
        {-0.004, 2, "0.00"},
        {0.005, 2, "0.01"},
        {0.0004, 3, "0.000"},
        {0.0005, 3, "0.001"},
        {1e-30, 2, "0.00"},
        {0, 3, "0.000"},
        {2.5, 0, "3"},
        {1234567.0, 1, "1234567.0"},
        // 18 significant digits at most; zeros after them.
        {123456789.123456789, 12, "123456789.123456791000"},
        {1e18, 2, "1E18"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(FloatToStrFixed(test.value, test.decimals), QString::fromLatin1(test.text))
            << test.value << " " << test.decimals;
}

TEST(SysUtilsTest, floatsFollowTheLocaleSeparator)
{
    LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FloatToStr(1.5), QStringLiteral("1,5"));
    EXPECT_EQ(StrToFloat(QStringLiteral("1,5")), 1.5);
    EXPECT_EQ(ErrorOf([] { StrToFloat(QStringLiteral("1.5")); }),
              QStringLiteral("'1.5' is not a valid floating point value"));
}

TEST(SysUtilsTest, floatParsing)
{
    EXPECT_EQ(StrToFloat(QStringLiteral(" 1024 ")), 1024.0);
    EXPECT_EQ(StrToFloat(QStringLiteral("-2.5e3")), -2500.0);
    EXPECT_EQ(StrToFloat(QStringLiteral("+.5")), 0.5);
    for (const char* bad : {"", "abc", "1.2.3", "nan", "inf", "1e"})
        EXPECT_EQ(
            ErrorOf([&] { StrToFloat(QString::fromLatin1(bad)); }),
            QStringLiteral("'%1' is not a valid floating point value").arg(QLatin1String(bad)))
            << bad;
}

TEST(SysUtilsTest, dateTimesBothWays)
{
    EXPECT_EQ(DateTimeToStr(0), QStringLiteral("12/30/99"));
    const TDateTime noon = EncodeDateTime(2024, 2, 29, 13, 5, 7);
    EXPECT_EQ(DateTimeToStr(noon), QStringLiteral("2/29/24 1:05:07 PM"));
    EXPECT_EQ(DateTimeToStr(EncodeDateTime(2024, 2, 29)), QStringLiteral("2/29/24"));
    EXPECT_DOUBLE_EQ(StrToDateTime(DateTimeToStr(noon)), noon);
    EXPECT_DOUBLE_EQ(StrToDateTime(QStringLiteral("2/29/24")), EncodeDateTime(2024, 2, 29));
    EXPECT_EQ(ErrorOf([] { StrToDateTime(QStringLiteral("soon")); }),
              QStringLiteral("'soon' is not a valid date and time"));
}

TEST(SysUtilsTest, booleansBothWays)
{
    EXPECT_EQ(BoolToStr(true), QStringLiteral("True"));
    EXPECT_EQ(BoolToStr(false), QStringLiteral("False"));
    EXPECT_TRUE(StrToBool(QStringLiteral("tRuE")));
    EXPECT_FALSE(StrToBool(QStringLiteral("FALSE")));
    EXPECT_TRUE(StrToBool(QStringLiteral("-3")));
    EXPECT_FALSE(StrToBool(QStringLiteral("0")));
    EXPECT_EQ(ErrorOf([] { StrToBool(QStringLiteral("yes")); }),
              QStringLiteral("'yes' is not a valid boolean value"));
}

TEST(SysUtilsTest, sameTextFoldsOnlyAsciiLetters)
{
    EXPECT_TRUE(SameText(QStringLiteral("Size2"), QStringLiteral("SIZE2")));
    EXPECT_FALSE(SameText(QStringLiteral("Size2"), QStringLiteral("Size 2")));
    EXPECT_FALSE(SameText(QStringLiteral("\u00C9t\u00E9"), QStringLiteral("\u00E9T\u00C9")));
    EXPECT_FALSE(SameText(QStringLiteral("["), QStringLiteral("{")));
    EXPECT_EQ(LowerCaseAscii(QStringLiteral("PHOTO.JPG\u00C9")), QStringLiteral("photo.jpg\u00C9"));
}
