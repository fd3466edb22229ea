#pragma once

#include "platform/Graphics.h"

// The entries of an Office colour scheme that the grid paints with.
enum TOfficeSchemeEntry {
    oeBorder = 2,         // the window frame and the header's border lines
    oeGradientTop = 6,    // the Office 2010 header's gradient, top
    oeGradientBottom = 7, // and bottom
    oeSeparator = 10,     // the line between two header items
    oeGradientEnd = 11,   // the Office 2007 gradient's bottom, and the strip fill
};

constexpr int kOfficeSchemeCount = 5;

// The colour of an entry in scheme 1 to 5; scheme 0 is the current one. Another scheme
// number raises EAssertionFailed.
TColor OfficeSchemeColor(TOfficeSchemeEntry entry, int scheme = 0);

// The scheme that scheme 0 stands for; 2 until an application chooses another.
int CurrentOfficeScheme();
// Raises EAssertionFailed for a number outside 1 to 5.
void SetCurrentOfficeScheme(int scheme);
