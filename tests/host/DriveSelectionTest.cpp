#include <gtest/gtest.h>

#include "policy/DriveSelection.h"
#include "tests/host/Fakes.h"

namespace talmoran::test {
namespace {

struct MaskCase {
    const char* name;
    std::vector<int> ticked;
    std::vector<int> greyed;
    Int32 expected;
};

class DriveMaskTest : public ::testing::TestWithParam<MaskCase> {};

TEST_P(DriveMaskTest, BuildsTheMaskFromTheTicks)
{
    FakeCheckBoxes boxes;
    for (const int i : GetParam().ticked) {
        boxes.values.at(static_cast<std::size_t>(i)) = CheckValue::Ticked;
    }
    for (const int i : GetParam().greyed) {
        boxes.values.at(static_cast<std::size_t>(i)) = CheckValue::Greyed;
    }
    Int32 DriveMask = -1;
    BuildDriveMask(boxes, DriveMask);
    EXPECT_EQ(DriveMask, GetParam().expected);
    EXPECT_EQ(boxes.reads, 27) << "every box read once, All Drives included";
}

std::vector<int> AllLetters()
{
    std::vector<int> letters(26);
    for (int i = 0; i < 26; ++i) {
        letters[static_cast<std::size_t>(i)] = i;
    }
    return letters;
}

std::string MaskCaseName(const ::testing::TestParamInfo<MaskCase>& param)
{
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Ticks, DriveMaskTest,
                         ::testing::Values(MaskCase{"Nothing", {}, {}, 0}, MaskCase{"AandB", {0, 1}, {}, 3},
                                           MaskCase{"C", {2}, {}, 4}, MaskCase{"CandD", {2, 3}, {}, 12},
                                           MaskCase{"Z", {25}, {}, 0x2000000},
                                           MaskCase{"EveryLetter", AllLetters(), {}, 0x3FFFFFF},
                                           MaskCase{"AllDrivesAlone", {26}, {}, 0x3FFFFFF},
                                           MaskCase{"AllDrivesOverridesLetters", {0, 2, 26}, {}, 0x3FFFFFF},
                                           MaskCase{"GreyedIsNotTicked", {3}, {2, 5}, 8},
                                           MaskCase{"GreyedAllDrivesDoesNotOverride", {1}, {26}, 2}),
                         MaskCaseName);

TEST(DriveMask, IsReadAfreshEachTime)
{
    FakeCheckBoxes boxes;
    boxes.Tick({26});
    Int32 DriveMask = 0;
    BuildDriveMask(boxes, DriveMask);
    ASSERT_EQ(DriveMask, 0x3FFFFFF);

    boxes.values = {};
    boxes.Tick({7});
    BuildDriveMask(boxes, DriveMask);
    EXPECT_EQ(DriveMask, 0x80);
}

TEST(DriveMask, AnUnreadableBoxRaisesAndLeavesTheSumSoFar)
{
    FakeCheckBoxes boxes;
    boxes.Tick({0, 2, 9, 12});
    boxes.failingIndex = 9;
    Int32 DriveMask = 0;
    try {
        BuildDriveMask(boxes, DriveMask);
        FAIL() << "expected the subscript error";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), 9);
    }
    EXPECT_EQ(DriveMask, 5) << "A and C were added before box 9 failed";
}

} // namespace
} // namespace talmoran::test
