#pragma once

#include "platform/Exception.h"
#include "platform/Graphics.h"

// Horizontal placement of a cell's content.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Vertical placement of a cell's content.
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };

// A call that breaks a precondition of the library: "Assertion failure".
class EAssertionFailed : public Exception
{
public:
    EAssertionFailed();
};

// Mixes two colours channel by channel as (weight × a + (255 − weight) × b) div 256, system
// colours resolved first. A weight outside 0 to 255 raises EAssertionFailed.
TColor MixColors(TColor a, TColor b, int weight);

// Blends two colours channel by channel as round(fraction × b + (1 − fraction) × a), halves to
// even, system colours resolved first. A fraction outside 0 to 1 is taken as the nearer end.
TColor BlendColors(TColor a, TColor b, double fraction);
