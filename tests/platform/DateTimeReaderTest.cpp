#include "platform/DateTimeReader.h"

#include <QLocale>
#include <QScopeGuard>
#include <ctime>
#include <gtest/gtest.h>
#include <random>

namespace {

struct LocaleScope
{
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

// Dates with and without a time, over the two-digit years' window and beyond it.
std::vector<TDateTime> SampleValues()
{
    std::mt19937 random(20261209);
    std::vector<TDateTime> values{0, EncodeDateTime(2024, 2, 29), EncodeDateTime(2000, 1, 1),
                                  EncodeDateTime(2024, 12, 31, 23, 59, 59),
                                  EncodeDateTime(2024, 1, 1, 0, 0, 1),
                                  EncodeDateTime(1999, 6, 15, 12, 0, 0),
                                  EncodeDateTime(1980, 7, 4, 0, 30, 0)};
    std::uniform_int_distribution<int> year(1950, 2070), month(1, 12), day(1, 28), hour(0, 23),
        minute(0, 59);
    for (int i = 0; i < 150; ++i)
        values.push_back(EncodeDateTime(year(random), month(random), day(random), hour(random),
                                        minute(random), minute(random)));
    return values;
}

// Texts near the written forms that the locale's parser may or may not take.
QStringList Variants(const QString& text)
{
    QString shortTime = text;
    shortTime.chop(3);
    QString secondCut = text;
    secondCut.chop(1);
    return {text.toLower(), text.toUpper(), QStringLiteral("  ") + text + QStringLiteral(" "),
            shortTime, secondCut, text + QStringLiteral("0"), QString(text).replace(QStringLiteral(" "), QStringLiteral("  ")),
            QStringLiteral("0") + text};
}

void ExpectSameAsTryStrToDateTime(const TDateTimeReader& reader, const QString& text)
{
    TDateTime expected = -1, read = -1;
    const bool expectedOk = TryStrToDateTime(text, expected);
    ASSERT_EQ(reader.Read(text, read), expectedOk) << text.toStdString();
    if (expectedOk) {
        EXPECT_DOUBLE_EQ(read, expected) << text.toStdString();
    }
}

} // namespace

TEST(DateTimeReaderTest, readsWhatTheLocaleParserReadsInManyLocales)
{
    // Locales whose written dates the reader reads itself; the others go to the locale's parser.
    const QStringList direct{"en_US", "C", "en_GB", "de_DE", "fr_FR", "ja_JP",
                             "ko_KR", "zh_CN", "ru_RU", "es_ES"};
    for (const QString& name : direct + QStringList{"ar_EG", "hi_IN", "fa_IR", "my_MM"}) {
        SCOPED_TRACE(name.toStdString());
        const LocaleScope scope{QLocale(name)};
        const TDateTimeReader reader;
        for (const TDateTime value : SampleValues()) {
            const QString text = DateTimeToStr(value);
            TDateTime read = -1;
            if (direct.contains(name)) {
                ASSERT_TRUE(reader.ReadDirectly(text, read)) << text.toStdString();
            } else {
                ASSERT_TRUE(reader.Read(text, read)) << text.toStdString();
            }
            TDateTime expected = -1;
            ASSERT_TRUE(TryStrToDateTime(text, expected));
            EXPECT_DOUBLE_EQ(read, expected) << text.toStdString();
            for (const QString& variant : Variants(text))
                ExpectSameAsTryStrToDateTime(reader, variant);
        }
    }
}

TEST(DateTimeReaderTest, rejectsWhatIsNoDateAsTheLocaleParserDoes)
{
    const TDateTimeReader reader;
    for (const char* text : {"", "soon", "2/30/24", "13/1/24", "1/1/24 25:00:00 PM",
                             "1/1/24 13:00:00 PM", "1/1/24 1:60:00 AM", "1/1/24 1:00:00 XM",
                             "1/1/2024", "1//24", "１/1/24"})
        ExpectSameAsTryStrToDateTime(reader, QString::fromUtf8(text));
}

// The one text the reader and the parser read apart: a local time that a clock change skips.
TEST(DateTimeReaderTest, readsATimeAClockChangeSkipsAsWritten)
{
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    tzset();
    const auto restore = qScopeGuard([&] {
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
    });
    const LocaleScope scope{QLocale(QStringLiteral("en_GB"))};
    TDateTime read = -1;
    ASSERT_TRUE(TDateTimeReader().Read(QStringLiteral("26/03/2023 02:30:00"), read));
    EXPECT_DOUBLE_EQ(read, EncodeDateTime(2023, 3, 26, 2, 30));
}
