// The layout table: the rules it is made of, not its numbers restated.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/Layout.h"

namespace talmoran::test {
namespace {

bool Overlap(const TwipsRect& a, const TwipsRect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool Inside(const TwipsRect& inner, const TwipsRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

TEST(Layout, DriveBoxesFollowTheirRuleAndStandForTheirBit)
{
    for (int i = 0; i < 26; ++i) {
        const ControlSpec& box = ControlById(Check1Id(i));
        EXPECT_EQ(box.kind, ControlKind::CheckBox);
        EXPECT_EQ(box.text, std::wstring(1, static_cast<wchar_t>(L'A' + i)));
        EXPECT_EQ(box.rect.left, 480 + 600 * (i % 10)) << i;
        EXPECT_EQ(box.rect.top, 720 + 360 * (i / 10)) << i;
        EXPECT_EQ(box.tabOrder, i);
    }
    const ControlSpec& all = ControlById(Check1Id(26));
    EXPECT_EQ(all.text, L"All Drives");
    EXPECT_EQ(all.tabOrder, 26);
    EXPECT_EQ(all.rect.top, ControlById(Check1Id(25)).rect.top) << "closes row 3";
}

TEST(Layout, TabOrderWalksTheBoxesThenThePagesButtonsAndEndsOnTheTabStrip)
{
    std::set<int> orders;
    for (const ControlSpec& c : Controls()) {
        orders.insert(c.tabOrder);
    }
    EXPECT_EQ(orders.size(), Controls().size()) << "each tab order once";

    const auto order = [](ControlId id) { return ControlById(id).tabOrder; };
    EXPECT_LT(order(Check1Id(26)), order(ControlId::ChoiceFrame0));
    EXPECT_LT(order(ControlId::Lock), order(ControlId::Unlock));
    EXPECT_LT(order(ControlId::Hide), order(ControlId::Unhide));
    EXPECT_EQ(order(ControlId::TabStrip1), *orders.rbegin());

    const std::vector<ControlSpec> window = InTabOrder(ControlId::Window);
    ASSERT_EQ(window.size(), 30U);
    EXPECT_EQ(window.front().id, Check1Id(0)) << "the first focus is on A";
    EXPECT_EQ(window.back().id, ControlId::TabStrip1) << "created last, it lies beneath everything";
}

TEST(Layout, SiblingsDoNotOverlapExceptOnTheTabStrip)
{
    for (const ControlId container : {ControlId::Window, ControlId::ChoiceFrame0, ControlId::ChoiceFrame1}) {
        const std::vector<ControlSpec> siblings = InTabOrder(container);
        for (std::size_t a = 0; a < siblings.size(); ++a) {
            for (std::size_t b = a + 1; b < siblings.size(); ++b) {
                if (siblings[a].kind == ControlKind::TabStrip || siblings[b].kind == ControlKind::TabStrip) {
                    continue;
                }
                EXPECT_FALSE(Overlap(siblings[a].rect, siblings[b].rect))
                    << static_cast<int>(siblings[a].id) << " and " << static_cast<int>(siblings[b].id);
            }
        }
    }
}

TEST(Layout, TheBoxesAndTheFirstPageLieOnTheTabStripsPageArea)
{
    const TwipsRect strip = ControlById(ControlId::TabStrip1).rect;
    for (const ControlSpec& c : InTabOrder(ControlId::Window)) {
        if (c.kind == ControlKind::CheckBox || c.id == ControlId::ChoiceFrame0) {
            EXPECT_TRUE(Inside(c.rect, strip)) << static_cast<int>(c.id);
            EXPECT_GE(c.rect.top, strip.top + 480) << "below the tabs along the top";
        }
    }
    EXPECT_FALSE(Inside(ControlById(ControlId::ChoiceFrame1).rect, strip)) << "until the pages are stacked";
}

TEST(Layout, EachFramesControlsLieInsideIt)
{
    for (const ControlId frame : {ControlId::ChoiceFrame0, ControlId::ChoiceFrame1}) {
        const TwipsRect bounds{0, 0, ControlById(frame).rect.width, ControlById(frame).rect.height};
        const std::vector<ControlSpec> children = InTabOrder(frame);
        EXPECT_EQ(children.size(), 3U);
        for (const ControlSpec& c : children) {
            EXPECT_TRUE(Inside(c.rect, bounds)) << static_cast<int>(c.id);
        }
    }
}

TEST(Layout, TheTabStripFitsTheLoadedWindowWithUsualBorders)
{
    // 7000 x 4000 twips outer; a 4-pixel border and a 23-pixel caption at 96 DPI.
    const TwipsRect strip = ControlById(ControlId::TabStrip1).rect;
    EXPECT_LE(strip.left + strip.width + 2 * 60, 7000);
    EXPECT_LE(strip.top + strip.height + 2 * 60 + 345, 4000);
}

TEST(Layout, NotesKeepTheirTwoLinesWithCarriageReturnLineFeed)
{
    EXPECT_EQ(ControlById(ControlId::Text2).text,
              L"If you want to lock any drive(s) previous action \r\nhas been canceled.\r\n");
    EXPECT_EQ(ControlById(ControlId::Text3).text,
              L"If you want to hide any drive(s) previous action \r\nhas been canceled.\r\n");
}

} // namespace
} // namespace talmoran::test
