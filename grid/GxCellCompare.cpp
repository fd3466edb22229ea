#include "grid/GxCellCompare.h"

#include <QVarLengthArray>
#include <algorithm>

namespace {

template <typename T> int ThreeWay(T a, T b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

int CompareAlphabetic(TCell& a, TCell& b)
{
    TCellText::InlineBuffer bufferA;
    TCellText::InlineBuffer bufferB;
    TTextUnits unitsA;
    TTextUnits unitsB;
    QString textA;
    QString textB;
    if (!a.TextUnits(bufferA, unitsA)) {
        textA = a.AsString();
        unitsA = TTextUnits::Of(textA);
    }
    if (!b.TextUnits(bufferB, unitsB)) {
        textB = b.AsString();
        unitsB = TTextUnits::Of(textB);
    }
    return CompareUnits(unitsA, unitsB);
}

// The text as the classic 8-bit code page has it, A-Z lowered: Latin-1 here; a character
// outside it (a surrogate pair counting as one) becomes "?".
QByteArray FoldedBytes(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t unit = text[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        if (unit > 0xFF)
            unit = u'?';
        else if (unit >= u'A' && unit <= u'Z')
            unit += u'a' - u'A';
        bytes.append(static_cast<char>(unit));
    }
    return bytes;
}

int CompareCaseInsensitive(TCell& a, TCell& b)
{
    const QByteArray bytesA = FoldedBytes(a.AsString());
    const QByteArray bytesB = FoldedBytes(b.AsString());
    return CompareUnits({bytesA.constData(), int(bytesA.size()), false},
                        {bytesB.constData(), int(bytesB.size()), false});
}

using TIpNumbers = QVarLengthArray<int32_t, 4>;

TIpNumbers IpNumbers(const QString& text)
{
    TIpNumbers numbers;
    QString digits;
    for (QChar c : text) {
        if (c == u'.') {
            numbers.append(StrToInt(digits));
            digits.clear();
        } else if (c >= u'0' && c <= u'9') {
            digits.append(c);
        }
    }
    numbers.append(StrToInt(digits));
    return numbers;
}

int CompareIp(TCell& a, TCell& b)
{
    const TIpNumbers numbersA = IpNumbers(a.AsString());
    const TIpNumbers numbersB = IpNumbers(b.AsString());
    const auto [itA, itB] =
        std::mismatch(numbersA.begin(), numbersA.end(), numbersB.begin(), numbersB.end());
    if (itA != numbersA.end() && itB != numbersB.end())
        return ThreeWay(*itA, *itB);
    return ThreeWay(numbersA.size(), numbersB.size());
}

} // namespace

TCellComparison ComparisonFor(TSortType sortType, TCellComparison custom)
{
    switch (sortType) {
    case stAlphabetic:
        break;
    case stBoolean:
        return [](TCell& a, TCell& b) {
            return ThreeWay(a.AsBoolean(), b.AsBoolean());
        };
    case stCaseInsensitive:
        return CompareCaseInsensitive;
    case stCustom:
        if (custom)
            return custom;
        return [](TCell&, TCell&) {
            return 0;
        };
    case stNumeric:
        return [](TCell& a, TCell& b) {
            return ThreeWay(a.AsFloat(), b.AsFloat());
        };
    case stDate:
        return [](TCell& a, TCell& b) {
            return ThreeWay(a.AsDateTime(), b.AsDateTime());
        };
    case stIP:
        return CompareIp;
    }
    return CompareAlphabetic;
}
