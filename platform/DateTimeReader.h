#pragma once

#include "platform/SysUtils.h"

#include <QString>
#include <QStringList>
#include <vector>

// Reads date texts as TryStrToDateTime does, for many texts of one locale: the locale's formats
// are taken apart once, and a text in one of them is read field by field, without the locale's
// general parser and its time zone look-ups (tens of microseconds a text). Whatever the reader
// does not follow itself (a format with day names or quotes, other digits, a value out of range)
// goes to TryStrToDateTime, so every result is TryStrToDateTime's but one: a local time that a
// clock change skips, which the parser refuses, is read as written. No clock shows such a time,
// so DateTimeToStr never writes one for a file's date.
class TDateTimeReader
{
public:
    // Takes the formats of the locale in effect now (QLocale()).
    TDateTimeReader();

    bool Read(const QString& text, TDateTime& value) const;
    // Reads a text only in the forms the reader follows itself (as DateTimeToStr writes them in
    // most locales); false for any other, which Read leaves to TryStrToDateTime.
    bool ReadDirectly(const QString& text, TDateTime& value) const;

private:
    enum class TField {
        Text,
        Day,
        Month,
        MonthName,
        Year,
        ShortYear,
        Hour,
        Hour12,
        Minute,
        Second,
        AmPm
    };
    // One piece of a format: a field, or text that must stand there as it is.
    struct TPiece
    {
        TField Field;
        // The digits a number field has: exactly two, or one or two (0).
        int Digits = 0;
        QString Text;
        // An AM/PM field written in capitals.
        bool Upper = false;
    };
    struct TFields
    {
        int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
        // Hour12 read, and whether AM/PM said PM (-1 when no such field was read).
        bool TwelveHour = false;
        int Pm = -1;
    };
    using TFormat = std::vector<TPiece>;

    // The pieces of a format; empty when it has a piece the reader leaves to TryStrToDateTime.
    static TFormat Parse(const QString& format);
    bool ReadIn(const TFormat& format, QStringView text, TDateTime& value) const;
    bool ReadPiece(const TPiece& piece, QStringView& text, TFields& fields) const;
    static bool ReadNumber(QStringView& text, int digits, int& number);
    bool ReadMonthName(QStringView& text, int& month) const;

    QString m_dateFormat;
    // The date alone, the date with the long time, the date with the short time: the order in
    // which TryStrToDateTime tries them.
    std::vector<TFormat> m_formats;
    QStringList m_monthNames;
    QString m_amText;
    QString m_pmText;
};
