#include "platform/SysUtils.h"

#include "platform/Exception.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr int kGeneralDigits = 15;
// Every whole number below it has at most kGeneralDigits digits.
constexpr double kWholeDigitsLimit = 1e15;
const QDate kDayZero(1899, 12, 30);
constexpr double kMsecPerDay = 86400000.0;

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Parses the digits of an unsigned number; false on an empty or malformed text or on overflow.
bool ParseMagnitude(QStringView digits, int base, uint64_t& magnitude)
{
    if (digits.isEmpty())
        return false;
    magnitude = 0;
    for (QChar c : digits) {
        const int d = c.unicode() < 128 ? QChar::fromLatin1(char(c.unicode())).digitValue() : -1;
        int value = d;
        if (base == 16 && d < 0) {
            const char16_t u = c.unicode() | 0x20;
            value = (u >= u'a' && u <= u'f') ? u - u'a' + 10 : -1;
        }
        if (value < 0 || value >= base)
            return false;
        magnitude = magnitude * base + value;
        if (magnitude > (uint64_t(1) << 32))
            return false;
    }
    return true;
}

} // namespace

QString LongTimeFormat()
{
    // The locale's long time format names the time zone; the program never shows one.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

// A short date format with a two-digit year reads the year within fifty years of today, not
// in the 1900s.
QDate WithCenturyWindow(QDate date, const QString& dateFormat)
{
    if (!date.isValid() || dateFormat.contains(QLatin1String("yyyy")))
        return date;
    const int windowStart = QDate::currentDate().year() - 50;
    while (date.year() < windowStart)
        date = date.addYears(100);
    return date;
}

QString IntToStr(int64_t value)
{
    return QString::number(value);
}

bool TryStrToInt(const QString& text, int32_t& value)
{
    QStringView s(text);
    while (!s.isEmpty() && IsBlank(s.front()))
        s = s.mid(1);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'-' || s.front() == u'+')) {
        negative = s.front() == u'-';
        s = s.mid(1);
    }
    int base = 10;
    if (s.startsWith(u'$')) {
        base = 16;
        s = s.mid(1);
    } else if (s.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        s = s.mid(2);
    }
    uint64_t magnitude = 0;
    if (!ParseMagnitude(s, base, magnitude))
        return false;
    const int64_t signedValue = negative ? -int64_t(magnitude) : int64_t(magnitude);
    if (signedValue < std::numeric_limits<int32_t>::min() ||
        signedValue > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(signedValue);
    return true;
}

int32_t StrToInt(const QString& text)
{
    int32_t value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

namespace {

// The first 41 significant decimal digits of |value| and the decimal exponent of the first
// one. printf gives the exact decimal expansion of the double, so rounding it ourselves lets
// halves go away from zero.
QByteArray ExactDigits(double value, int& exponent)
{
    char exact[64];
    std::snprintf(exact, sizeof exact, "%.40e", std::fabs(value));
    QByteArray digits;
    for (const char* p = exact; *p && *p != 'e'; ++p)
        if (*p != '.')
            digits.append(*p);
    exponent = std::atoi(std::strchr(exact, 'e') + 1);
    return digits;
}

// Rounds digits to `count` significant ones, halves away from zero; a carry into a new first
// digit raises exponent. count 0 leaves only such a carry, or nothing.
void RoundDigits(QByteArray& digits, int count, int& exponent)
{
    const bool roundUp = count < digits.size() && digits.at(count) >= '5';
    digits.truncate(count);
    if (!roundUp)
        return;
    int i = count - 1;
    while (i >= 0 && digits[i] == '9')
        digits[i--] = '0';
    if (i >= 0) {
        ++digits[i];
        return;
    }
    digits.prepend('1');
    if (count > 0)
        digits.chop(1);
    ++exponent;
}

} // namespace

QString FloatToStr(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");
    // Whole numbers of up to 15 digits, such as every file size, are their plain digits: no
    // rounding can apply, and printing the exact expansion of each would cost a search over
    // hundreds of thousands of files noticeable time.
    if (std::fabs(value) < kWholeDigitsLimit && std::trunc(value) == value)
        return QString::number(static_cast<qint64>(value));

    int exponent = 0;
    QByteArray digits = ExactDigits(value, exponent);
    RoundDigits(digits, kGeneralDigits, exponent);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    const QString separator = QLocale().decimalPoint();
    QString text = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= kGeneralDigits || exponent < -5) {
        text += QLatin1Char(digits[0]);
        if (digits.size() > 1)
            text += separator + QString::fromLatin1(digits.mid(1));
        return text + QStringLiteral("E") + QString::number(exponent);
    }
    if (exponent < 0)
        return text + QStringLiteral("0") + separator + QString(-exponent - 1, QLatin1Char('0')) +
               QString::fromLatin1(digits);
    const int intDigits = exponent + 1;
    if (digits.size() <= intDigits)
        return text + QString::fromLatin1(digits) +
               QString(intDigits - digits.size(), QLatin1Char('0'));
    return text + QString::fromLatin1(digits.left(intDigits)) + separator +
           QString::fromLatin1(digits.mid(intDigits));
}

QString FloatToStrFixed(double value, int decimals)
{
    constexpr int kFixedDigits = 18;
    if (!std::isfinite(value) || std::fabs(value) >= 1e18)
        return FloatToStr(value);
    decimals = std::clamp(decimals, 0, kFixedDigits);
    QByteArray digits;
    // Where the first digit stands: 0 for units, -1 for tenths...
    int exponent = 0;
    if (value != 0) {
        digits = ExactDigits(value, exponent);
        const int count = std::min(exponent + 1 + decimals, kFixedDigits);
        if (count >= 0)
            RoundDigits(digits, count, exponent);
        else
            digits.clear();
    }
    // Lay the digits out over the places from 10^max(exponent, 0) down to 10^-decimals.
    const int top = std::max(exponent, 0);
    QByteArray places(top + 1 + decimals, '0');
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int place = top - (exponent - int(i));
        if (place >= 0 && place < places.size())
            places[place] = digits[i];
    }
    const bool zero = std::all_of(places.begin(), places.end(), [](char c) { return c == '0'; });
    QString text = value < 0 && !zero ? QStringLiteral("-") : QString();
    text += QString::fromLatin1(places.left(top + 1));
    if (decimals > 0)
        text += QLocale().decimalPoint() + QString::fromLatin1(places.mid(top + 1));
    return text;
}

bool TryStrToFloat(const QString& text, double& value)
{
    const QString trimmed = text.trimmed();
    const QString separator = QLocale().decimalPoint();
    if (trimmed.isEmpty() || (separator != QLatin1String(".") && trimmed.contains(u'.')))
        return false;
    QByteArray latin;
    latin.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (trimmed.mid(i, separator.size()) == separator) {
            latin.append('.');
            i += separator.size() - 1;
            continue;
        }
        const char16_t c = trimmed.at(i).unicode();
        const bool allowed =
            (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'e' || c == u'E';
        if (!allowed)
            return false;
        latin.append(char(c));
    }
    const char* begin = latin.constData();
    if (*begin == '+')
        ++begin;
    const char* end = latin.constData() + latin.size();
    double parsed = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, parsed);
    if (ec != std::errc() || ptr != end)
        return false;
    value = parsed;
    return true;
}

double StrToFloat(const QString& text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const double days = kDayZero.daysTo(QDate(year, month, day));
    return days + (((hour * 60 + minute) * 60 + second) * 1000.0 + msec) / kMsecPerDay;
}

TDateTime Date()
{
    return kDayZero.daysTo(QDate::currentDate());
}

QString DateTimeToStr(TDateTime value)
{
    // Whole days count from day zero; the time of day is the fraction's magnitude, also for
    // dates before it.
    const double wholeDays = std::trunc(value);
    const qint64 msecs = std::llround(std::fabs(value - wholeDays) * kMsecPerDay);
    const QDate date = kDayZero.addDays(qint64(wholeDays) + msecs / qint64(kMsecPerDay));
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(msecs % qint64(kMsecPerDay)));
    QString text = QLocale().toString(date, QLocale::ShortFormat);
    if (time != QTime(0, 0))
        text += QLatin1Char(' ') + QLocale().toString(time, LongTimeFormat());
    return text;
}

bool TryStrToDateTime(const QString& text, TDateTime& value)
{
    const QLocale locale;
    const QString trimmed = text.trimmed();
    const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    const QDate dateOnly = WithCenturyWindow(locale.toDate(trimmed, dateFormat), dateFormat);
    if (dateOnly.isValid()) {
        value = kDayZero.daysTo(dateOnly);
        return true;
    }
    for (const QString& timeFormat : {LongTimeFormat(), locale.timeFormat(QLocale::ShortFormat)}) {
        const QDateTime dateTime =
            locale.toDateTime(trimmed, dateFormat + QLatin1Char(' ') + timeFormat);
        if (dateTime.isValid()) {
            value = kDayZero.daysTo(WithCenturyWindow(dateTime.date(), dateFormat)) +
                    dateTime.time().msecsSinceStartOfDay() / kMsecPerDay;
            return true;
        }
    }
    return false;
}

TDateTime StrToDateTime(const QString& text)
{
    TDateTime value = 0;
    if (!TryStrToDateTime(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    return value;
}

QString BoolToStr(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool TryStrToBool(const QString& text, bool& value)
{
    double number = 0;
    if (TryStrToFloat(text, number)) {
        value = number != 0;
        return true;
    }
    if (SameText(text, QStringLiteral("True"))) {
        value = true;
        return true;
    }
    if (SameText(text, QStringLiteral("False"))) {
        value = false;
        return true;
    }
    return false;
}

bool StrToBool(const QString& text)
{
    bool value = false;
    if (!TryStrToBool(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
    return value;
}

QString LowerCaseAscii(const QString& text)
{
    QString result = text;
    for (QChar& c : result)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return result;
}

bool SameText(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a.at(i).unicode(), y = b.at(i).unicode();
        if (x >= u'A' && x <= u'Z')
            x += 32;
        if (y >= u'A' && y <= u'Z')
            y += 32;
        if (x != y)
            return false;
    }
    return true;
}
