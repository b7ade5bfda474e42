// The window's pure logic: the load step's centring, the tab pages and the
// twips-to-pixels conversion.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "app/LoadStep.h"
#include "tests/host/Fakes.h"

namespace talmoran::test {
namespace {

const Place kFrame0{240, 1800, 6375, 1370};
const Place kFrame1{240, 3600, 6375, 1370};

TEST(LoadStep, SizesThenCentresFromTheSizeReadBackWithoutRoundingOrClampingThenShowsPageOne)
{
    // Screen width and height, the height the window system keeps (0: the one asked for), Left, Top.
    for (const auto& [screenWidth, screenHeight, keptHeight, left, top] :
         std::initializer_list<std::array<float, 5>>{{15360, 11520, 0, 4180, 3760},    // 1024 x 768 at 96 DPI
                                                     {15375, 11520, 0, 4187.5F, 3760}, // a half twip stays
                                                     {15360, 3600, 0, 4180, -200},     // not clamped
                                                     {15360, 11520, 4200, 4180, 3660}}) {
        FakeWindowGeometry window;
        window.keptHeight = keptHeight;
        FakeFrames frames({kFrame0, kFrame1, {0, 0, 10, 10}});
        FakeTabStrip tabs;
        Int16 CurrentPage = 0;
        LoadTalmoran(window, {.width = screenWidth, .height = screenHeight}, frames, tabs, CurrentPage);
        EXPECT_EQ(window.outer, (Place{left, top, 7000, keptHeight > 0 ? keptHeight : 4000}));
        const TwipsRect created = LoadedPlace({.width = screenWidth, .height = screenHeight});
        EXPECT_TRUE(keptHeight > 0 ||
                    (Place{created.left, created.top, created.width, created.height}) == window.outer);
        EXPECT_EQ(frames.rects, std::vector<Place>(3, kFrame0)) << "every page on the first one's place";
        EXPECT_EQ(frames.visible, (std::vector{true, false, false}));
        EXPECT_EQ(CurrentPage, 1);
        EXPECT_EQ(tabs.selected, 1);
    }
    EXPECT_THROW((void)CentredOffset(std::numeric_limits<float>::infinity(), 7000), RuntimeError);
    EXPECT_THROW((void)CentredOffset(std::numeric_limits<float>::quiet_NaN(), 1), RuntimeError);
}

TEST(TabPages, AClickShowsTheSelectedTabsPageOnlyAndOneFrameNeedsNoStacking)
{
    FakeWindowGeometry window;
    FakeFrames single({kFrame0});
    FakeTabStrip tabs;
    Int16 CurrentPage = 0;
    LoadTalmoran(window, {.width = 15360, .height = 11520}, single, tabs, CurrentPage);
    EXPECT_EQ(single.visible, std::vector{true});

    FakeFrames frames({kFrame0, kFrame1});
    LoadTalmoran(window, {.width = 15360, .height = 11520}, frames, tabs, CurrentPage);
    // The selected tab, then the pages visible: a click on the tab shown keeps its page.
    for (const auto& [tab, visible] : {std::pair{2, std::vector{false, true}}, std::pair{1, std::vector{true, false}},
                                       std::pair{1, std::vector{true, false}}}) {
        tabs.selected = static_cast<Int16>(tab);
        ShowSelectedPage(frames, tabs, CurrentPage);
        EXPECT_EQ(CurrentPage, tab);
        EXPECT_EQ(frames.visible, visible);
    }
    tabs.selected = 3;
    EXPECT_ANY_THROW(ShowSelectedPage(frames, tabs, CurrentPage)) << "a tab with no frame";
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
