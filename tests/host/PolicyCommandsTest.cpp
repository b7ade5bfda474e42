#include <gtest/gtest.h>

#include <array>

#include "policy/PolicyCommands.h"
#include "tests/host/Fakes.h"

namespace talmoran::test {
namespace {

struct CommandCase {
    const char* name;
    Command command;
    const wchar_t* valueName;
    std::uint32_t writtenWithCandD; // C and D ticked
    const wchar_t* success;
    const wchar_t* failure;
};

const std::array<CommandCase, 4> kCommands = {{
    {"Lock", Command::Lock, L"NoViewOnDrive", 12,
     L"Your seleted Drive(s) will be Lock after restart or re-login your windows.",
     L"You are not Administrator. You can not lock selected drive(s). Please contact an Administrator."},
    {"Unlock", Command::Unlock, L"NoViewOnDrive", 0,
     L"All Locked Drive(s) will be Unlock after restart or re-login your windows.",
     L"You are not Administrator. You can not unlock drive(s). Please contact an Administrator."},
    {"Hide", Command::Hide, L"NoDrives", 12, L"Your seleted Drive(s) will Hide after restart or re-login your windows.",
     L"You are not Administrator. You can not hide selected drive(s). Please contact an Administrator."},
    {"Unhide", Command::Unhide, L"NoDrives", 0,
     L"All Hidden Drive(s) will Show after restart or re-login your windows.",
     L"You are not Administrator. You can not unhide drive(s). Please contact an Administrator."},
}};

// One command run against fakes, with the window-level variables it leaves.
struct Harness {
    FakeCheckBoxes boxes;
    FakeRegistry registry;
    FakeMessageBox box;
    std::wstring PolicyPath;
    Int32 DriveMask = 0;

    void Run(Command command) { RunCommand(command, {boxes, registry, box, PolicyPath, DriveMask}); }
};

class CommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandTest, WritesOneValueThenShowsItsSuccessBoxWithOkOnly)
{
    Harness h;
    h.boxes.Tick({2, 3});
    h.registry.values[{ExplorerPolicyKey(), L"NoRun"}] = 1;

    h.Run(GetParam().command);

    EXPECT_EQ(h.registry.writes, 1);
    EXPECT_EQ((h.registry.values[{ExplorerPolicyKey(), GetParam().valueName}]), GetParam().writtenWithCandD);
    EXPECT_EQ(h.registry.values.size(), 2U) << "only the command's own value beside NoRun";
    EXPECT_EQ((h.registry.values[{ExplorerPolicyKey(), L"NoRun"}]), 1U);
    ASSERT_EQ(h.box.shown.size(), 1U);
    EXPECT_EQ(h.box.shown[0].prompt, GetParam().success);
    EXPECT_EQ(h.box.shown[0].style, MessageBoxStyle::OkOnly);
    EXPECT_EQ(h.PolicyPath, L"HKCU\\" + ExplorerPolicyKey() + L"\\" + GetParam().valueName);
}

TEST_P(CommandTest, AllDrivesTickedWritesEveryDriveOnlyForLockAndHide)
{
    Harness h;
    h.boxes.Tick({0, 26});
    h.Run(GetParam().command);
    const bool selects = GetParam().writtenWithCandD != 0;
    EXPECT_EQ((h.registry.values[{ExplorerPolicyKey(), GetParam().valueName}]), selects ? 0x3FFFFFFU : 0U);
    EXPECT_EQ(h.boxes.reads, selects ? 27 : 0) << "Unlock and Unhide ignore the boxes";
}

enum class FailAt { ReadingABox, CreatingTheKey, Writing, ShowingSuccess };

struct FailureCase {
    FailAt stage;
    bool valueWritten;
};

class CommandFailureTest : public ::testing::TestWithParam<std::tuple<CommandCase, FailureCase>> {};

TEST_P(CommandFailureTest, ShowsOnlyItsFailureBoxAndWritesNothingBeforeTheWrite)
{
    const auto& [command, failure] = GetParam();
    const bool selects = command.writtenWithCandD != 0;
    if (failure.stage == FailAt::ReadingABox && !selects) {
        GTEST_SKIP() << "Unlock and Unhide read no box";
    }
    Harness h;
    h.boxes.Tick({2, 3});
    h.registry.values[{ExplorerPolicyKey(), command.valueName}] = 99;
    h.boxes.failingIndex = failure.stage == FailAt::ReadingABox ? 3 : -1;
    h.registry.refuseKey = failure.stage == FailAt::CreatingTheKey;
    h.registry.refuseWrite = failure.stage == FailAt::Writing;
    if (failure.stage == FailAt::ShowingSuccess) {
        h.box.failingCall = 0;
    }

    h.Run(command.command);

    ASSERT_FALSE(h.box.shown.empty());
    EXPECT_EQ(h.box.shown.back().prompt, command.failure);
    EXPECT_EQ(h.box.shown.back().style, MessageBoxStyle::OkOnly);
    EXPECT_EQ(h.box.shown.size(), failure.stage == FailAt::ShowingSuccess ? 2U : 1U);
    EXPECT_EQ((h.registry.values[{ExplorerPolicyKey(), command.valueName}]),
              failure.valueWritten ? command.writtenWithCandD : 99U);
}

std::string CommandName(const ::testing::TestParamInfo<CommandCase>& param)
{
    return param.param.name;
}

std::string CommandAndStageName(const ::testing::TestParamInfo<std::tuple<CommandCase, FailureCase>>& param)
{
    static constexpr std::array<const char*, 4> kStages = {"ReadingABox", "CreatingTheKey", "Writing",
                                                           "ShowingSuccess"};
    return std::string(std::get<0>(param.param).name) + "_" +
           kStages.at(static_cast<std::size_t>(std::get<1>(param.param).stage));
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandTest, ::testing::ValuesIn(kCommands), CommandName);

INSTANTIATE_TEST_SUITE_P(AllCommandsAllStages, CommandFailureTest,
                         ::testing::Combine(::testing::ValuesIn(kCommands),
                                            ::testing::Values(FailureCase{FailAt::ReadingABox, false},
                                                              FailureCase{FailAt::CreatingTheKey, false},
                                                              FailureCase{FailAt::Writing, false},
                                                              FailureCase{FailAt::ShowingSuccess, true})),
                         CommandAndStageName);

TEST(Commands, AFailingFailureBoxReachesTheCaller)
{
    Harness h;
    h.registry.refuseWrite = true;
    h.box.failingCall = 0;
    EXPECT_THROW(h.Run(Command::Lock), RuntimeError);
}

TEST(Commands, LockThenHideKeepBothValuesWithTheirOwnTicks)
{
    Harness h;
    h.boxes.Tick({2});
    h.Run(Command::Lock);
    h.boxes.values = {};
    h.boxes.Tick({25});
    h.Run(Command::Hide);
    EXPECT_EQ((h.registry.values[{ExplorerPolicyKey(), L"NoViewOnDrive"}]), 4U);
    EXPECT_EQ((h.registry.values[{ExplorerPolicyKey(), L"NoDrives"}]), 0x2000000U);
    EXPECT_EQ(h.DriveMask, 0x2000000);
}

} // namespace
} // namespace talmoran::test
