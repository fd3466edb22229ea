#pragma once

#include "grid/GxCells.h"

#include <functional>

// The comparison of two cells for a sort type: negative when a is below b, zero when equal,
// positive when above. A cell whose accessor fails raises its conversion error.
//   stAlphabetic      AsString, code unit by code unit as unsigned numbers, a prefix first
//   stBoolean         AsBoolean, false below true
//   stCaseInsensitive AsString in the 8-bit code page (Latin-1 here, other characters "?"),
//                     A-Z lowered, byte by byte
//   stCustom          the custom comparison; none counts every pair as equal
//   stNumeric, stDate AsFloat, AsDateTime
//   stIP              AsString read as dotted whole numbers, compared from the first number on,
//                     so that ascending is the natural address order; a missing number ("1..2",
//                     "") is a conversion error
using TCellComparison = std::function<int(TCell& a, TCell& b)>;
TCellComparison ComparisonFor(TSortType sortType, TCellComparison custom);
