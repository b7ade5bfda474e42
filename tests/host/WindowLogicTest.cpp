// The window's pure logic: where the load step puts the window and the
// twips-to-pixels conversion.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "app/LoadStep.h"
#include "platform/Twips.h"

namespace talmoran::test {
namespace {

TEST(LoadStep, CentresWithoutRoundingOrClamping)
{
    // The screen in twips, the DPI; the place: left, top, width, height.
    // (The window tests and the screenshots check the place at each DPI they run.)
    const std::vector<std::tuple<ScreenSize, unsigned, std::array<float, 4>>> cases = {
        {{15375, 11520}, 144, {4187.5F, 3760, 7000, 4000}}, // a half twip stays
        {{15360, 3600}, 144, {4180, -200, 7000, 4000}},     // not clamped
    };
    for (const auto& [screen, dpi, place] : cases) {
        const TwipsRect r = LoadedPlace(screen, dpi);
        EXPECT_EQ((std::array{r.left, r.top, r.width, r.height}), place)
            << screen.width << " x " << screen.height << " at " << dpi;
    }
}

TEST(Twips, ToPixelsRoundsHalfAwayFromZeroAndBack)
{
    // Twips, DPI, pixels: 313.5, 49.5 and -7.5 round away from zero, 466.67 up, 21.25 down.
    const std::vector<std::tuple<double, unsigned, int>> cases = {{3135, 144, 314}, {495, 144, 50},  {120, 144, 12},
                                                                  {-75, 144, -8},   {7000, 96, 467}, {4000, 96, 267},
                                                                  {-200, 96, -13},  {255, 120, 21}};
    for (const auto& [twips, dpi, pixels] : cases) {
        EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi << " DPI";
    }
    EXPECT_FLOAT_EQ(PixelsToTwips(1024, 96), 15360);
    EXPECT_FLOAT_EQ(PixelsToTwips(3, 168), 25.714286F);
}

} // namespace
} // namespace talmoran::test
