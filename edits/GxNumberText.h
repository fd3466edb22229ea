#pragma once

#include <QString>

// Keeps of text what can be part of a number: the digits 0 to 9; the decimal separator when
// allowSeparator is set, the first one only; a "+" or "-" when allowSign is set and nothing has
// been kept before it. What remains of a lone sign is "0".
QString FilterNumberText(const QString& text, const QString& separator, bool allowSeparator,
                         bool allowSign);
