#include "platform/DateTimeReader.h"

#include <QDate>
#include <QLocale>
#include <QTime>

TDateTimeReader::TDateTimeReader()
{
    const QLocale locale;
    m_dateFormat = locale.dateFormat(QLocale::ShortFormat);
    const TFormat date = Parse(m_dateFormat);
    m_formats.push_back(date);
    for (const QString& timeFormat : {LongTimeFormat(), locale.timeFormat(QLocale::ShortFormat)}) {
        const TFormat time = Parse(timeFormat);
        TFormat both;
        if (!date.empty() && !time.empty()) {
            both = date;
            both.push_back({TField::Text, 0, QStringLiteral(" ")});
            both.insert(both.end(), time.begin(), time.end());
        }
        m_formats.push_back(both);
    }
    for (int month = 1; month <= 12; ++month)
        m_monthNames.push_back(locale.monthName(month, QLocale::ShortFormat));
    m_amText = locale.amText();
    m_pmText = locale.pmText();
}

bool TDateTimeReader::Read(const QString& text, TDateTime& value) const
{
    return ReadDirectly(text, value) || TryStrToDateTime(text, value);
}

bool TDateTimeReader::ReadDirectly(const QString& text, TDateTime& value) const
{
    const QStringView trimmed = QStringView(text).trimmed();
    for (const TFormat& format : m_formats)
        if (!format.empty() && ReadIn(format, trimmed, value))
            return true;
    return false;
}

TDateTimeReader::TFormat TDateTimeReader::Parse(const QString& format)
{
    // A lower-case h counts the hours of a half day only beside an AM/PM field.
    const bool halfDays = format.contains(QLatin1Char('a'), Qt::CaseInsensitive);
    TFormat pieces;
    for (qsizetype i = 0; i < format.size();) {
        const QChar letter = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == letter)
            ++run;
        const auto number = [&](TField field) -> bool {
            if (run > 2)
                return false;
            pieces.push_back({field, run == 2 ? 2 : 0, {}});
            return true;
        };
        bool known = true;
        switch (letter.unicode()) {
        case u'd':
            known = number(TField::Day);
            break;
        case u'M':
            if (run == 3)
                pieces.push_back({TField::MonthName, 0, {}});
            else
                known = number(TField::Month);
            break;
        case u'y':
            known = run == 2 || run == 4;
            pieces.push_back({run == 2 ? TField::ShortYear : TField::Year, int(run), {}});
            break;
        case u'h':
            known = number(halfDays ? TField::Hour12 : TField::Hour);
            break;
        case u'H':
            known = number(TField::Hour);
            break;
        case u'm':
            known = number(TField::Minute);
            break;
        case u's':
            known = number(TField::Second);
            break;
        case u'A':
        case u'a':
            // "AP" and "A" write the upper-case texts, "ap" and "a" the lower-case ones.
            run = i + 1 < format.size() && format[i + 1].toLower() == u'p' ? 2 : 1;
            pieces.push_back({TField::AmPm, 0, {}, letter == u'A'});
            break;
        case u'z':
        case u't':
        case u'\'':
            known = false;
            break;
        default:
            // Every other character stands for itself, as in the locale's own formats.
            if (pieces.empty() || pieces.back().Field != TField::Text)
                pieces.push_back({TField::Text, 0, {}});
            pieces.back().Text += format.mid(i, run);
        }
        if (!known)
            return {};
        i += run;
    }
    return pieces;
}

bool TDateTimeReader::ReadIn(const TFormat& format, QStringView text, TDateTime& value) const
{
    TFields fields;
    for (const TPiece& piece : format)
        if (!ReadPiece(piece, text, fields))
            return false;
    if (!text.isEmpty())
        return false;
    if (fields.TwelveHour) {
        if (fields.Hour < 1 || fields.Hour > 12 || fields.Pm < 0)
            return false;
        fields.Hour = fields.Hour % 12 + (fields.Pm ? 12 : 0);
    }
    QDate date(fields.Year, fields.Month, fields.Day);
    if (!date.isValid() || !QTime::isValid(fields.Hour, fields.Minute, fields.Second, 0))
        return false;
    date = WithCenturyWindow(date, m_dateFormat);
    value = EncodeDateTime(date.year(), date.month(), date.day(), fields.Hour, fields.Minute,
                           fields.Second);
    return true;
}

bool TDateTimeReader::ReadPiece(const TPiece& piece, QStringView& text, TFields& fields) const
{
    switch (piece.Field) {
    case TField::Text:
        if (!text.startsWith(piece.Text))
            return false;
        text = text.mid(piece.Text.size());
        return true;
    case TField::Day:
        return ReadNumber(text, piece.Digits, fields.Day);
    case TField::Month:
        return ReadNumber(text, piece.Digits, fields.Month);
    case TField::MonthName:
        return ReadMonthName(text, fields.Month);
    case TField::Year:
        return ReadNumber(text, piece.Digits, fields.Year);
    case TField::ShortYear:
        // The locale's own reading of a two-digit year, before the century window moves it.
        if (!ReadNumber(text, piece.Digits, fields.Year))
            return false;
        fields.Year += 1900;
        return true;
    case TField::Hour12:
        fields.TwelveHour = true;
        [[fallthrough]];
    case TField::Hour:
        return ReadNumber(text, piece.Digits, fields.Hour);
    case TField::Minute:
        return ReadNumber(text, piece.Digits, fields.Minute);
    case TField::Second:
        return ReadNumber(text, piece.Digits, fields.Second);
    case TField::AmPm:
        for (const bool pm : {false, true}) {
            const QString& word = pm ? m_pmText : m_amText;
            const QString written = piece.Upper ? word.toUpper() : word.toLower();
            if (!written.isEmpty() && text.startsWith(written)) {
                fields.Pm = pm;
                text = text.mid(written.size());
                return true;
            }
        }
        return false;
    }
    return false;
}

bool TDateTimeReader::ReadNumber(QStringView& text, int digits, int& number)
{
    const qsizetype most = digits ? digits : 2;
    qsizetype count = 0;
    number = 0;
    while (count < most && count < text.size() && text[count] >= u'0' && text[count] <= u'9')
        number = number * 10 + (text[count++].unicode() - u'0');
    if (count == 0 || (digits && count != digits))
        return false;
    // A digit more than the field holds is not this format.
    if (count < text.size() && text[count] >= u'0' && text[count] <= u'9')
        return false;
    text = text.mid(count);
    return true;
}

bool TDateTimeReader::ReadMonthName(QStringView& text, int& month) const
{
    // The longest name that fits, so that a name that begins another is not taken for it.
    qsizetype longest = 0;
    for (int i = 0; i < m_monthNames.size(); ++i) {
        const QString& name = m_monthNames[i];
        if (name.size() > longest && text.startsWith(name)) {
            longest = name.size();
            month = i + 1;
        }
    }
    if (longest == 0)
        return false;
    text = text.mid(longest);
    return true;
}
