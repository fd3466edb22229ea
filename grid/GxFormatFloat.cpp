#include "grid/GxFormatFloat.h"

#include "platform/SysUtils.h"

#include <QLocale>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSignificantDigits = 18;

// The digits of a non-negative value: value = 0.digits x 10^pointPos.
struct Decimal
{
    std::string digits;
    int pointPos = 0;
};

Decimal ToDecimal(double value)
{
    if (value == 0)
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", kSignificantDigits - 1, value);
    Decimal decimal;
    const char* p = text;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            decimal.digits += *p;
    decimal.pointPos = std::atoi(p + 1) + 1;
    return decimal;
}

// Keeps the first keep digits, rounding the rest half away from zero.
Decimal RoundDigits(Decimal decimal, int keep)
{
    if (keep < 0 || decimal.digits.empty())
        return {};
    if (keep >= int(decimal.digits.size()))
        return decimal;
    const bool up = decimal.digits[size_t(keep)] >= '5';
    decimal.digits.resize(size_t(keep));
    if (!up)
        return decimal;
    int i = keep - 1;
    while (i >= 0 && decimal.digits[size_t(i)] == '9')
        decimal.digits[size_t(i--)] = '0';
    if (i < 0) {
        decimal.digits.insert(decimal.digits.begin(), '1');
        ++decimal.pointPos;
    } else {
        ++decimal.digits[size_t(i)];
    }
    return decimal;
}

bool IsZero(const Decimal& decimal)
{
    return decimal.digits.find_first_not_of('0') == std::string::npos;
}

// Integer and fraction digits of a rounded decimal; an integer part of 0 has no digits.
void SplitDigits(const Decimal& decimal, int fractionDigits, std::string& integer,
                 std::string& fraction)
{
    integer.clear();
    fraction.assign(size_t(fractionDigits), '0');
    if (IsZero(decimal))
        return;
    for (int i = 0; i < int(decimal.digits.size()); ++i) {
        const int place = decimal.pointPos - 1 - i; // power of ten of this digit
        if (place >= 0)
            integer += decimal.digits[size_t(i)];
        else if (-place <= fractionDigits)
            fraction[size_t(-place - 1)] = decimal.digits[size_t(i)];
    }
    if (!integer.empty())
        integer.append(size_t(std::max(0, decimal.pointPos - int(decimal.digits.size()))), '0');
}

enum class TokenKind { Literal, IntDigit, FracDigit, Point, Exponent };

struct Token
{
    TokenKind kind;
    QString text;      // literal text; for Exponent the "E+" or "E-" as written
    bool zero = false; // a 0 placeholder rather than #
};

struct Section
{
    std::vector<Token> tokens;
    int intPlaceholders = 0;
    int minIntDigits = 0;
    int fracPlaceholders = 0;
    int minFracDigits = 0;
    bool thousands = false;
    int exponentDigits = -1; // -1: no scientific notation
};

QStringList SplitSections(const QString& format)
{
    QStringList sections{QString()};
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections.append(QString());
            continue;
        }
        sections.back().append(c);
    }
    return sections;
}

Section ParseSection(const QString& text)
{
    Section section;
    bool afterPoint = false;
    bool firstZeroSeen = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = text.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? text.size() : end;
            section.tokens.push_back({TokenKind::Literal, text.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == u'0' || c == u'#') {
            const bool zero = c == u'0';
            if (afterPoint) {
                ++section.fracPlaceholders;
                if (zero)
                    section.minFracDigits = section.fracPlaceholders;
                section.tokens.push_back({TokenKind::FracDigit, {}, zero});
            } else {
                ++section.intPlaceholders;
                firstZeroSeen = firstZeroSeen || zero;
                if (firstZeroSeen)
                    ++section.minIntDigits;
                section.tokens.push_back({TokenKind::IntDigit, {}, zero});
            }
        } else if (c == u'.' && !afterPoint && section.exponentDigits < 0) {
            afterPoint = true;
            section.tokens.push_back({TokenKind::Point, {}});
        } else if (c == u',') {
            section.thousands = true;
        } else if ((c == u'E' || c == u'e') && i + 1 < text.size() &&
                   (text[i + 1] == u'+' || text[i + 1] == u'-') && section.exponentDigits < 0) {
            section.tokens.push_back({TokenKind::Exponent, text.mid(i, 2)});
            i += 2;
            section.exponentDigits = 0;
            while (i < text.size() && text[i] == u'0') {
                ++section.exponentDigits;
                ++i;
            }
            --i;
        } else {
            section.tokens.push_back({TokenKind::Literal, QString(c)});
        }
    }
    return section;
}

QString Render(const Section& section, const std::string& integer, const std::string& fraction,
               int exponent)
{
    const QLocale locale;
    const int surplus = int(integer.size()) - section.intPlaceholders;
    QString out;
    int intIndex = 0;
    int fracIndex = 0;
    const auto emitInteger = [&](int digit) {
        out += QLatin1Char(integer[size_t(digit)]);
        const int fromRight = int(integer.size()) - 1 - digit;
        if (section.thousands && fromRight > 0 && fromRight % 3 == 0)
            out += locale.groupSeparator();
    };
    for (const Token& token : section.tokens) {
        switch (token.kind) {
        case TokenKind::Literal:
            out += token.text;
            break;
        case TokenKind::IntDigit:
            if (intIndex == 0)
                for (int digit = 0; digit < surplus; ++digit)
                    emitInteger(digit);
            if (surplus + intIndex >= 0)
                emitInteger(surplus + intIndex);
            ++intIndex;
            break;
        case TokenKind::Point:
            if (!fraction.empty())
                out += locale.decimalPoint();
            break;
        case TokenKind::FracDigit:
            if (fracIndex < int(fraction.size()))
                out += QLatin1Char(fraction[size_t(fracIndex)]);
            ++fracIndex;
            break;
        case TokenKind::Exponent: {
            QString digits = QString::number(std::abs(exponent));
            digits = QString(std::max(0, section.exponentDigits - int(digits.size())),
                             QLatin1Char('0')) +
                     digits;
            if (exponent < 0)
                out += token.text.at(0) + QStringLiteral("-") + digits;
            else
                out += token.text.at(0) +
                       (token.text.at(1) == u'+' ? QStringLiteral("+") : QString()) + digits;
            break;
        }
        }
    }
    return out;
}

// Formats the magnitude by the section; zero tells whether it rounded to zero.
QString FormatMagnitude(const Section& section, double magnitude, bool& zero)
{
    const Decimal exact = ToDecimal(magnitude);
    int exponent = 0;
    Decimal rounded;
    if (section.exponentDigits >= 0) {
        const int intDigits = std::max(1, section.intPlaceholders);
        rounded = RoundDigits(exact, intDigits + section.fracPlaceholders);
        if (!IsZero(rounded)) {
            exponent = rounded.pointPos - intDigits;
            rounded.pointPos = intDigits;
        }
    } else {
        rounded = RoundDigits(exact, exact.pointPos + section.fracPlaceholders);
    }
    zero = IsZero(rounded);
    std::string integer;
    std::string fraction;
    SplitDigits(rounded, section.fracPlaceholders, integer, fraction);
    if (int(integer.size()) < section.minIntDigits)
        integer.insert(0, size_t(section.minIntDigits - int(integer.size())), '0');
    while (int(fraction.size()) > section.minFracDigits && fraction.back() == '0')
        fraction.pop_back();
    return Render(section, integer, fraction, exponent);
}

} // namespace

QString FormatFloat(const QString& format, double value)
{
    if (format.isEmpty() || !std::isfinite(value) || std::fabs(value) >= 1e18)
        return FloatToStr(value);
    const QStringList sections = SplitSections(format);
    const auto sectionText = [&](int index) {
        return index < sections.size() ? sections[index] : QString();
    };
    bool zero = false;
    if (value == 0 && !sectionText(2).isEmpty())
        return FormatMagnitude(ParseSection(sectionText(2)), 0, zero);
    if (value < 0 && !sectionText(1).isEmpty())
        return FormatMagnitude(ParseSection(sectionText(1)), -value, zero);
    const QString text = FormatMagnitude(ParseSection(sections[0]), std::fabs(value), zero);
    return value < 0 && !zero ? QStringLiteral("-") + text : text;
}
