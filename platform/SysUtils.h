#pragma once

#include <QDate>
#include <QString>
#include <cstdint>

// Text conversions shared by the grid's cells and the search. They follow the user's locale
// (QLocale(), which tests pin with QLocale::setDefault) and raise EConvertError with the
// documented messages when a text cannot be read.

QString IntToStr(int64_t value);
// Optional blanks, an optional sign, then decimal digits or "$"/"0x" and hex digits; the value
// must fit 32 bits. Otherwise "'%s' is not a valid integer value".
int32_t StrToInt(const QString& text);
bool TryStrToInt(const QString& text, int32_t& value);

// The general format: at most 15 significant digits (halves rounded away from zero), trailing
// zeros dropped, the locale's decimal separator, no grouping; an exponent only for values of
// 1E15 and above or below 1E-5.
QString FloatToStr(double value);
// The number with exactly `decimals` decimals (0 to 18), halves rounded away from zero, at most
// 18 significant digits (zeros after them), the locale's decimal separator, no grouping. Values
// of 1E18 and above, infinities and NaN take the general format.
QString FloatToStrFixed(double value, int decimals);
// Surrounding blanks allowed, the locale's decimal separator, an optional exponent. Otherwise
// "'%s' is not a valid floating point value".
double StrToFloat(const QString& text);
bool TryStrToFloat(const QString& text, double& value);

// Days since 1899-12-30, the fraction being the time of day.
using TDateTime = double;
// The locale's short date, a blank and its long time (without time zone); the time is left out
// when it is exactly midnight.
QString DateTimeToStr(TDateTime value);
// Reads what DateTimeToStr writes, also a date alone or a date with a short time. Otherwise
// "'%s' is not a valid date and time".
TDateTime StrToDateTime(const QString& text);
bool TryStrToDateTime(const QString& text, TDateTime& value);
// The locale's long time format without its time zone.
QString LongTimeFormat();
// A date read in a short date format with a two-digit year, its year moved within fifty years of
// today; other dates as they are.
QDate WithCenturyWindow(QDate date, const QString& dateFormat);
TDateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                         int msec = 0);
// Today's date at midnight.
TDateTime Date();

// "True" or "False".
QString BoolToStr(bool value);
// A number (non-zero is true) or "True"/"False" in any letter case. Otherwise
// "'%s' is not a valid boolean value".
bool StrToBool(const QString& text);
bool TryStrToBool(const QString& text, bool& value);

// Equal length and equal characters once A-Z are turned into a-z; no other folding.
bool SameText(const QString& a, const QString& b);
// Only the ASCII letters change case.
QString LowerCaseAscii(const QString& text);
