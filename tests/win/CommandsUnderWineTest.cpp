// The four commands with the real registry writer and the real message box,
// and what Wine's shell, the consumer of the values, makes of them.
#include <gtest/gtest.h>

#include <array>

#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32Registry.h"
#include "policy/PolicyCommands.h"
#include "tests/win/BoxWatcher.h"
#include "tests/win/ChildProcess.h"
#include "tests/win/PrefixRegistry.h"

namespace talmoran::test {
namespace {

// Ticks as the user left them; the window's own boxes are tested with the window.
class TickedBoxes final : public CheckBoxes {
public:
    std::array<CheckValue, 27> values{};
    [[nodiscard]] CheckValue Value(std::int16_t index) const override
    {
        return values.at(static_cast<std::size_t>(index));
    }
};

class CommandsUnderWine : public ::testing::Test {
protected:
    void SetUp() override { DeletePolicyKey(); }
    void TearDown() override { DeletePolicyKey(); }

    SeenBox Run(Command command, std::initializer_list<int> ticked)
    {
        boxes_.values = {};
        for (const int i : ticked) {
            boxes_.values.at(static_cast<std::size_t>(i)) = CheckValue::Ticked;
        }
        auto watcher = WatchForBox();
        RunCommand(command, {boxes_, registry_, messageBox_, PolicyPath, DriveMask});
        return watcher.get();
    }

    TickedBoxes boxes_;
    win32::Win32CurrentUserRegistry registry_;
    win32::Win32MessageBox messageBox_{nullptr};
    std::wstring PolicyPath;
    Int32 DriveMask = 0;
};

struct RealBoxCase {
    Command command;
    const wchar_t* valueName;
    std::uint32_t written;
    const wchar_t* success;
    const wchar_t* failure;
};

class RealBox : public CommandsUnderWine, public ::testing::WithParamInterface<RealBoxCase> {};

TEST_P(RealBox, SuccessBoxHasTheTextTheTitleAndOneOkButton)
{
    const SeenBox seen = Run(GetParam().command, {2, 3});
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, GetParam().success);
    EXPECT_EQ(seen.title, L"Talmoran");
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    const auto stored = ReadPolicyValue(GetParam().valueName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->dword, GetParam().written);
}

TEST_P(RealBox, ARefusedWriteShowsTheFailureBoxAndKeepsTheValue)
{
    SetPolicyDword(GetParam().valueName, 7);
    DenySetValueOnPolicyKey();
    const SeenBox refused = Run(GetParam().command, {2, 3});
    AllowPolicyKey();
    ASSERT_TRUE(refused.found);
    EXPECT_EQ(refused.text, GetParam().failure);
    EXPECT_EQ(refused.title, L"Talmoran");
    EXPECT_EQ(refused.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(ReadPolicyValue(GetParam().valueName)->dword, 7U);

    const SeenBox next = Run(GetParam().command, {2, 3});
    EXPECT_EQ(next.text, GetParam().success) << "the next command succeeds once the cause is gone";
    EXPECT_EQ(ReadPolicyValue(GetParam().valueName)->dword, GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    AllCommands, RealBox,
    ::testing::Values(
        RealBoxCase{Command::Lock, L"NoViewOnDrive", 12,
                    L"Your seleted Drive(s) will be Lock after restart or re-login your windows.",
                    L"You are not Administrator. You can not lock selected drive(s). Please contact an Administrator."},
        RealBoxCase{Command::Unlock, L"NoViewOnDrive", 0,
                    L"All Locked Drive(s) will be Unlock after restart or re-login your windows.",
                    L"You are not Administrator. You can not unlock drive(s). Please contact an Administrator."},
        RealBoxCase{Command::Hide, L"NoDrives", 12,
                    L"Your seleted Drive(s) will Hide after restart or re-login your windows.",
                    L"You are not Administrator. You can not hide selected drive(s). Please contact an Administrator."},
        RealBoxCase{Command::Unhide, L"NoDrives", 0,
                    L"All Hidden Drive(s) will Show after restart or re-login your windows.",
                    L"You are not Administrator. You can not unhide drive(s). Please contact an Administrator."}));

// What a fresh process's shell says about the policy values.
std::string ShellView()
{
    return RunAndCapture(L"\"" + BesideThisExe(L"shell_probe.exe") + L"\"");
}

TEST_F(CommandsUnderWine, TheShellStopsListingAHiddenDriveAndListsItAgainAfterUnhide)
{
    const std::string before = ShellView();
    ASSERT_NE(before.find("C:\\"), std::string::npos) << before;

    Run(Command::Hide, {2});
    const std::string hidden = ShellView();
    EXPECT_NE(hidden.find("NoDrives=4 "), std::string::npos) << hidden;
    EXPECT_EQ(hidden.find("C:\\"), std::string::npos) << hidden;

    Run(Command::Unhide, {2});
    const std::string shown = ShellView();
    EXPECT_NE(shown.find("NoDrives=0 "), std::string::npos) << shown;
    EXPECT_NE(shown.find("C:\\"), std::string::npos) << shown;
}

TEST_F(CommandsUnderWine, TheShellSeesALockedDrive)
{
    Run(Command::Lock, {25});
    const std::string locked = ShellView();
    EXPECT_NE(locked.find("NoViewOnDrive=33554432 "), std::string::npos) << locked;
}

} // namespace
} // namespace talmoran::test
