#pragma once
// Twips and pixels: 1440 twips to the logical inch, so 15 twips a pixel at 96
// DPI. Every conversion between the two goes through here.

#include <cmath>

namespace talmoran {

// A rectangle in twips: the layout's, and the page frames' as the pages move them.
struct TwipsRect {
    float left;
    float top;
    float width;
    float height;
};

// A size in whole pixels, as the window system keeps one.
struct PixelSize {
    int width;
    int height;
};

// A rectangle in whole pixels at some DPI.
struct PixelBox {
    int left;
    int top;
    int width;
    int height;
};

// The primary screen's size, in twips: read once, so a value.
struct ScreenSize {
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

// Each of the four values converted on its own, as the layout gives them.
[[nodiscard]] inline PixelBox ToPixels(const TwipsRect& r, unsigned dpi)
{
    return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), TwipsToPixels(r.width, dpi),
            TwipsToPixels(r.height, dpi)};
}

[[nodiscard]] inline TwipsRect ToTwips(const PixelBox& b, unsigned dpi)
{
    return {PixelsToTwips(b.left, dpi), PixelsToTwips(b.top, dpi), PixelsToTwips(b.width, dpi),
            PixelsToTwips(b.height, dpi)};
}

} // namespace talmoran
