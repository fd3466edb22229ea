#include "grid/shared/GxSharedCommon.h"

#include <algorithm>
#include <cmath>

EAssertionFailed::EAssertionFailed() : Exception(QStringLiteral("Assertion failure")) {}

TColor MixColors(TColor a, TColor b, int weight)
{
    if (weight < 0 || weight > 255)
        throw EAssertionFailed();
    const auto rgbA = uint32_t(ColorToRGB(a));
    const auto rgbB = uint32_t(ColorToRGB(b));
    const auto wA = uint32_t(weight);
    const uint32_t wB = 255 - wA;
    // Red and blue are far enough apart in the word to be weighted together without carrying
    // into each other; green goes on its own.
    const uint32_t redBlue = (wA * (rgbA & 0xFF00FF) + wB * (rgbB & 0xFF00FF)) >> 8 & 0xFF00FF;
    const uint32_t green = (wA * (rgbA & 0xFF00) + wB * (rgbB & 0xFF00)) >> 8 & 0xFF00;
    return TColor(redBlue | green);
}

TColor BlendColors(TColor a, TColor b, double fraction)
{
    // Not "std::clamp": a NaN fraction must not reach the conversion to an integer.
    const double f = fraction > 0 ? std::min(fraction, 1.0) : 0.0;
    const auto rgbA = uint32_t(ColorToRGB(a));
    const auto rgbB = uint32_t(ColorToRGB(b));
    uint32_t blended = 0;
    for (const int shift : {0, 8, 16}) {
        const double channelA = rgbA >> shift & 0xFF;
        const double channelB = rgbB >> shift & 0xFF;
        blended |= uint32_t(std::nearbyint(f * channelB + (1 - f) * channelA)) << shift;
    }
    return TColor(blended);
}
