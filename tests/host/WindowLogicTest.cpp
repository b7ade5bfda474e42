// The window's pure logic: where the load step puts the window, the tab
// pages and the twips-to-pixels conversion.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "app/LoadStep.h"
#include "platform/CheckedArithmetic.h"
#include "platform/Interfaces.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "tests/host/Fakes.h"

namespace talmoran::test {
namespace {

TEST(LoadStep, CentresTheSizeTheWindowSystemKeepsWithoutRoundingOrClamping)
{
    // The screen in twips, the DPI, the size in pixels the window system
    // keeps instead of 7000 x 4000 twips, if any; the place: left, top, width, height.
    const std::vector<std::tuple<ScreenSize, unsigned, std::optional<PixelSize>, Place>> cases = {
        {{15360, 11520}, 144, {}, {4180, 3760, 7000, 4000}},           // whole pixels at 144 DPI
        {{15375, 11520}, 144, {}, {4187.5F, 3760, 7000, 4000}},        // a half twip stays
        {{15360, 3600}, 144, {}, {4180, -200, 7000, 4000}},            // not clamped
        {{15360, 11520}, 144, {{700, 420}}, {4180, 3660, 7000, 4200}}, // a height kept at 4200
        {{15360, 11520}, 96, {}, {4177.5F, 3757.5F, 7005, 4005}},      // 467 x 267 pixels, read back
        {{15360, 11520}, 120, {}, {4182, 3762, 6996, 3996}},           // 583 x 333 pixels
    };
    for (const auto& [screen, dpi, kept, place] : cases) {
        const TwipsRect r = LoadedPlace(screen, dpi, kept);
        EXPECT_EQ((Place{r.left, r.top, r.width, r.height}), place)
            << screen.width << " x " << screen.height << " at " << dpi;
    }
    EXPECT_THROW((void)LoadedPlace({std::numeric_limits<float>::infinity(), 11520}, 96), RuntimeError);
    EXPECT_THROW((void)LoadedPlace({15360, std::numeric_limits<float>::quiet_NaN()}, 96), RuntimeError);
}

TEST(TabPages, StackEveryPageOnTheFirstAndShowOnlyTheSelectedTabsPage)
{
    const Place first{240, 1800, 6375, 1370};
    FakeTabStrip tabs;
    Int16 CurrentPage = 0;
    FakeFrames single({first});
    SetUpTabPages(single, tabs, CurrentPage);
    EXPECT_EQ(single.visible, std::vector{true}) << "one frame needs no stacking";

    FakeFrames frames({first, {240, 3600, 6375, 1370}, {0, 0, 10, 10}});
    SetUpTabPages(frames, tabs, CurrentPage);
    EXPECT_EQ(frames.rects, std::vector<Place>(3, first)) << "every page on the first one's place";
    EXPECT_EQ(frames.visible, (std::vector{true, false, false}));
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(tabs.selected, 1);
    // The selected tab, then the pages visible: a click on the tab shown keeps its page.
    for (const auto& [tab, visible] :
         {std::pair{2, std::vector{false, true, false}}, std::pair{1, std::vector{true, false, false}},
          std::pair{1, std::vector{true, false, false}}}) {
        tabs.selected = static_cast<Int16>(tab);
        ShowSelectedPage(frames, tabs, CurrentPage);
        EXPECT_EQ(CurrentPage, tab);
        EXPECT_EQ(frames.visible, visible);
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
