// The window's pure logic: centring, the load step and the tab pages.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/Centring.h"
#include "app/LoadHandler.h"
#include "app/TabPages.h"
#include "tests/host/PageFakes.h"

namespace talmoran::test {
namespace {

const FrameRect kFrame0{240, 1800, 6375, 1370};
const FrameRect kFrame1{240, 3600, 6375, 1370};

struct CentringCase {
    float screenWidth, screenHeight;
    float expectedLeft, expectedTop;
};

class CentringTest : public ::testing::TestWithParam<CentringCase> {};

TEST_P(CentringTest, CentresTheLoadedSizeWithoutRoundingOrClamping)
{
    FakeWindowGeometry window;
    SizeAndCentre(window, FakeScreen({.width = GetParam().screenWidth, .height = GetParam().screenHeight}));
    EXPECT_FLOAT_EQ(window.width, 7000);
    EXPECT_FLOAT_EQ(window.height, 4000);
    EXPECT_FLOAT_EQ(window.left, GetParam().expectedLeft);
    EXPECT_FLOAT_EQ(window.top, GetParam().expectedTop);
}

INSTANTIATE_TEST_SUITE_P(Screens, CentringTest,
                         ::testing::Values(CentringCase{15360, 11520, 4180, 3760},    // 1024 x 768 at 96 DPI
                                           CentringCase{15375, 11520, 4187.5F, 3760}, // a half twip stays
                                           CentringCase{15360, 3600, 4180, -200},     // not clamped
                                           CentringCase{7000, 4000, 0, 0}));

TEST(Centring, UsesTheHeightTheWindowSystemKept)
{
    FakeWindowGeometry window;
    window.forcedHeight = 4200;
    SizeAndCentre(window, FakeScreen({.width = 15360, .height = 11520}));
    EXPECT_FLOAT_EQ(window.top, (11520 - 4200) / 2.0F);
}

TEST(Centring, AResultThatIsNotAFiniteNumberRaisesOverflow)
{
    EXPECT_THROW((void)CentredOffset(std::numeric_limits<float>::infinity(), 7000), RuntimeError);
    EXPECT_THROW((void)CentredOffset(std::numeric_limits<float>::quiet_NaN(), 1), RuntimeError);
}

TEST(LoadStep, SizesThenCentresVerticallyBeforeHorizontallyThenShowsPageOne)
{
    FakeWindowGeometry window;
    FakeFrames frames({kFrame0, kFrame1});
    FakeTabStrip tabs;
    Int16 CurrentPage = 0;
    LoadTalmoran(window, FakeScreen({.width = 15360, .height = 11520}), frames, tabs, CurrentPage);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"Width", "Height", "Top", "Left"}));
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(tabs.selections, std::vector<Int16>{1});
}

TEST(PageSetUp, StacksEveryFrameOnTheFirstHiddenAndShowsPageOne)
{
    FakeFrames frames({kFrame0, kFrame1, {0, 0, 10, 10}});
    FakeTabStrip tabs;
    Int16 CurrentPage = 0;
    SetUpPages(frames, tabs, CurrentPage);
    EXPECT_EQ(frames.calls, (std::vector<std::string>{"Move1", "Hide1", "Move2", "Hide2", "Show0"}));
    for (const FrameRect& r : frames.rects) {
        EXPECT_FLOAT_EQ(r.left, kFrame0.left);
        EXPECT_FLOAT_EQ(r.top, kFrame0.top);
        EXPECT_FLOAT_EQ(r.width, kFrame0.width);
        EXPECT_FLOAT_EQ(r.height, kFrame0.height);
    }
    EXPECT_EQ(frames.visible, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(tabs.selected, 1);
}

TEST(PageSetUp, WithOnlyOneFrameMovesAndHidesNothing)
{
    FakeFrames frames({kFrame0});
    FakeTabStrip tabs;
    Int16 CurrentPage = 0;
    SetUpPages(frames, tabs, CurrentPage);
    EXPECT_EQ(frames.calls, std::vector<std::string>{"Show0"});
    EXPECT_EQ(CurrentPage, 1);
}

TEST(TabClick, SwapsThePagesAndBack)
{
    FakeFrames frames({kFrame0, kFrame1});
    FakeTabStrip tabs;
    Int16 CurrentPage = 0;
    SetUpPages(frames, tabs, CurrentPage);

    tabs.selected = 2;
    OnTabClick(frames, tabs, CurrentPage);
    EXPECT_EQ(CurrentPage, 2);
    EXPECT_EQ(frames.visible, (std::vector<bool>{false, true}));

    tabs.selected = 1;
    OnTabClick(frames, tabs, CurrentPage);
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(frames.visible, (std::vector<bool>{true, false}));
}

TEST(TabClick, OnTheSelectedTabKeepsThePageVisible)
{
    FakeFrames frames({kFrame0, kFrame1});
    FakeTabStrip tabs;
    Int16 CurrentPage = 0;
    SetUpPages(frames, tabs, CurrentPage);
    frames.calls.clear();
    OnTabClick(frames, tabs, CurrentPage);
    EXPECT_EQ(frames.calls, (std::vector<std::string>{"Hide0", "Show0"}));
    EXPECT_EQ(frames.visible, (std::vector<bool>{true, false}));
}

TEST(TabClick, ATabWithNoFrameRaisesTheSubscriptError)
{
    FakeFrames frames({kFrame0, kFrame1});
    FakeTabStrip tabs;
    Int16 CurrentPage = 1;
    tabs.selected = 3;
    EXPECT_THROW(OnTabClick(frames, tabs, CurrentPage), RuntimeError);
}

} // namespace
} // namespace talmoran::test
