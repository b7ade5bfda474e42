#pragma once
// Twips and pixels: 1440 twips to the logical inch, so 15 twips a pixel at 96 DPI.

#include <cmath>

namespace talmoran {

// A rectangle in twips: the layout's, and the page frames' as the pages move them.
struct TwipsRect {
    float left;
    float top;
    float width;
    float height;
};

inline constexpr double kTwipsPerInch = 1440.0;

[[nodiscard]] inline int TwipsToPixels(double twips, unsigned dpi)
{
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

[[nodiscard]] inline float PixelsToTwips(int pixels, unsigned dpi)
{
    return static_cast<float>(pixels * kTwipsPerInch / dpi);
}

} // namespace talmoran
