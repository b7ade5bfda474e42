// The window's pure logic: the load step's centring, the tab pages, the
// layout table and the twips-to-pixels conversion.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "app/Layout.h"
#include "app/LoadStep.h"
#include "tests/host/Fakes.h"

namespace talmoran::test {
namespace {

const Place kFrame0{240, 1800, 6375, 1370};
const Place kFrame1{240, 3600, 6375, 1370};

TEST(LoadStep, SizesThenCentresFromTheSizeReadBackWithoutRoundingOrClamping)
{
    // Screen width and height, the height the window system keeps (0: the one asked for), Left, Top.
    for (const auto& [screenWidth, screenHeight, keptHeight, left, top] :
         std::initializer_list<std::array<float, 5>>{{15360, 11520, 0, 4180, 3760},    // 1024 x 768 at 96 DPI
                                                     {15375, 11520, 0, 4187.5F, 3760}, // a half twip stays
                                                     {15360, 3600, 0, 4180, -200},     // not clamped
                                                     {15360, 11520, 4200, 4180, 3660}}) {
        FakeWindowGeometry window;
        window.keptHeight = keptHeight;
        FakeFrames frames({kFrame0, kFrame1});
        FakeTabStrip tabs;
        Int16 CurrentPage = 0;
        LoadTalmoran(window, {.width = screenWidth, .height = screenHeight}, frames, tabs, CurrentPage);
        EXPECT_EQ(window.calls,
                  (decltype(window.calls){{"Resize", {7000, 4000}}, {"MoveTo", {left, top}}}));
        EXPECT_EQ(CurrentPage, 1) << "then the pages are set up";
    }
    EXPECT_THROW((void)CentredOffset(std::numeric_limits<float>::infinity(), 7000), RuntimeError);
    EXPECT_THROW((void)CentredOffset(std::numeric_limits<float>::quiet_NaN(), 1), RuntimeError);
}

TEST(TabPages, SetUpStacksTheOtherFramesHiddenOnTheFirstAndAClickShowsItsTabsPageOnly)
{
    FakeWindowGeometry window;
    const ScreenSize screen{.width = 15360, .height = 11520};
    FakeFrames single({kFrame0});
    FakeTabStrip tabs;
    Int16 CurrentPage = 0;
    LoadTalmoran(window, screen, single, tabs, CurrentPage);
    EXPECT_EQ(single.calls, std::vector<std::string>{"Show0"}) << "one frame: nothing to stack";

    FakeFrames frames({kFrame0, kFrame1, {0, 0, 10, 10}});
    CurrentPage = 0;
    LoadTalmoran(window, screen, frames, tabs, CurrentPage);
    EXPECT_EQ(frames.calls, (std::vector<std::string>{"Move1", "Hide1", "Move2", "Hide2", "Show0"}));
    EXPECT_EQ(frames.rects, std::vector<Place>(3, kFrame0));
    EXPECT_EQ(frames.visible, (std::vector{true, false, false}));
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(tabs.selected, 1);
    // Each click hides the page shown, then shows the selected tab's, even when it is the same page.
    using Strings = std::vector<std::string>;
    for (const auto& [tab, calls, visible] :
         {std::tuple{2, Strings{"Hide0", "Show1"}, std::vector{false, true, false}},
          std::tuple{1, Strings{"Hide1", "Show0"}, std::vector{true, false, false}},
          std::tuple{1, Strings{"Hide0", "Show0"}, std::vector{true, false, false}}}) {
        frames.calls.clear();
        tabs.selected = static_cast<Int16>(tab);
        ShowSelectedPage(frames, tabs, CurrentPage);
        EXPECT_EQ(CurrentPage, tab);
        EXPECT_EQ(frames.calls, calls);
        EXPECT_EQ(frames.visible, visible);
    }
    tabs.selected = 4;
    EXPECT_ANY_THROW(ShowSelectedPage(frames, tabs, CurrentPage)) << "a tab with no frame";
}

TEST(Layout, RowsAsLaidOutAndEachContainerInTabOrder)
{
    using enum ControlId;
    using enum ControlKind;
    using Row = std::tuple<ControlId, ControlKind, ControlId, std::wstring_view, int, int, int, int, int>;
    const std::vector<Row> rows = {
        {ChoiceFrame0, Frame, Window, L"Frame2", 240, 1800, 6375, 1370, 27},
        {Lock, Button, ChoiceFrame0, L"&Lock Selected Drive (s)", 120, 120, 3135, 495, 29},
        {Unlock, Button, ChoiceFrame0, L"&Unlock All Drive", 4080, 120, 2175, 495, 30},
        {Text2, Note, ChoiceFrame0, L"If you want to lock any drive(s) previous action \r\nhas been canceled.\r\n", 120,
         720, 6135, 615, 33},
        {ChoiceFrame1, Frame, Window, L"Frame2", 240, 3600, 6375, 1370, 28},
        {Text3, Note, ChoiceFrame1, L"If you want to hide any drive(s) previous action \r\nhas been canceled.\r\n", 120,
         720, 5895, 495, 34},
        {Unhide, Button, ChoiceFrame1, L"&Unhide All Drive", 4080, 120, 2175, 495, 32},
        {Hide, Button, ChoiceFrame1, L"&Hide Selected Drive (s)", 120, 120, 3135, 495, 31},
        {Check1Id(26), CheckBox, Window, L"All Drives", 4800, 1440, 1575, 255, 26},
        {Check1Id(0), CheckBox, Window, L"A", 480, 720, 495, 255, 0},
        {Check1Id(10), CheckBox, Window, L"K", 480, 1080, 495, 255, 10},
        {Check1Id(25), CheckBox, Window, L"Z", 3480, 1440, 495, 255, 25},
        {TabStrip1, ControlKind::TabStrip, Window, L"", 120, 120, 6615, 3255, 35}};
    std::vector<ControlSpec> all;
    for (const ControlId container : {ControlId::Window, ControlId::ChoiceFrame0, ControlId::ChoiceFrame1}) {
        std::ranges::copy(InTabOrder(container), std::back_inserter(all));
    }
    EXPECT_EQ(all.size(), static_cast<std::size_t>(kControlCount)) << "every control in one of the containers";
    for (const Row& row : rows) {
        const auto c = std::ranges::find(all, std::get<0>(row), &ControlSpec::id);
        ASSERT_NE(c, all.end());
        EXPECT_EQ(Row(c->id, c->kind, c->container, c->text, static_cast<int>(c->rect.left),
                      static_cast<int>(c->rect.top), static_cast<int>(c->rect.width), static_cast<int>(c->rect.height),
                      c->tabOrder),
                  row);
    }

    const auto ids = [](ControlId container) {
        std::vector<ControlId> result;
        std::ranges::transform(InTabOrder(container), std::back_inserter(result), &ControlSpec::id);
        return result;
    };
    std::vector<ControlId> window; // A to Z, All Drives, the two pages, the tab strip last
    for (int i = 0; i <= 26; ++i) {
        window.push_back(Check1Id(i));
    }
    window.insert(window.end(), {ControlId::ChoiceFrame0, ControlId::ChoiceFrame1, ControlId::TabStrip1});
    EXPECT_EQ(ids(ControlId::Window), window);
    EXPECT_EQ(ids(ControlId::ChoiceFrame1), (std::vector{ControlId::Hide, ControlId::Unhide, ControlId::Text3}));
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
