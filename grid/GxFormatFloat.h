#pragma once

#include <QString>

// Formats a number by a pattern of the classic float format language:
//   0        a digit, shown also where the number has none (leading or trailing zeros)
//   #        a digit, shown only where the number has one
//   .        the decimal separator (the locale's); only the first one counts
//   ,        anywhere among the integer placeholders: thousands grouped with the locale's
//            separator
//   E+ E-    scientific notation (also e+ e-); the 0s after it give the least number of
//            exponent digits; E+ always shows the exponent's sign, E- only a minus
//   'x' "x"  literal text; any other character is copied as it stands
//   ;        separates the sections for positive, negative and zero values; a negative value
//            without a section of its own takes the first with a minus sign in front
// Halves are rounded away from zero. An empty pattern gives the general format (FloatToStr).
QString FormatFloat(const QString& format, double value);
