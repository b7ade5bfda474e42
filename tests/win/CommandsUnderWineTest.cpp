// The real registry writer and the real failure box in the throwaway Wine
// prefix, and what Wine's shell, the consumer of the values, makes of them.
#include <gtest/gtest.h>

#include <array>

#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32Registry.h"
#include "policy/PolicyStore.h"
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

TEST_F(CommandsUnderWine, TheWriterCreatesTheKeyReplacesAStringAndKeepsOtherValuesAndZero)
{
    ASSERT_FALSE(ReadPolicyValue(L"NoViewOnDrive"));
    WritePolicyValue(registry_, Policy::Lock, 5, PolicyPath);
    EXPECT_EQ(ReadPolicyValue(L"NoViewOnDrive")->dword, 5U) << "key path created";
    EXPECT_FALSE(ReadPolicyValue(L"NoDrives")) << "Lock leaves NoDrives alone";

    const wchar_t text[] = L"12";
    SetPolicyValue(L"NoDrives", REG_SZ, text, sizeof text);
    const DWORD one = 1;
    SetPolicyValue(L"NoRun", REG_DWORD, &one, sizeof one);
    WritePolicyValue(registry_, Policy::Hide, 0x3FFFFFF, PolicyPath);
    WritePolicyValue(registry_, Policy::Lock, 0, PolicyPath);
    const auto hidden = ReadPolicyValue(L"NoDrives");
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->type, static_cast<DWORD>(REG_DWORD)) << "a string of the same name is replaced";
    EXPECT_EQ(hidden->dword, 0x3FFFFFFU);
    const auto cleared = ReadPolicyValue(L"NoViewOnDrive");
    ASSERT_TRUE(cleared) << "cleared, not deleted";
    EXPECT_EQ(cleared->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(cleared->dword, 0U);
    EXPECT_EQ(ReadPolicyValue(L"NoRun")->dword, 1U);
}

class RefusedWrite : public CommandsUnderWine, public ::testing::WithParamInterface<ExpectedCommand> {};

TEST_P(RefusedWrite, ShowsTheFailureBoxWithOkOnlyKeepsTheValueAndTheNextCommandSucceeds)
{
    const DWORD seven = 7;
    SetPolicyValue(GetParam().valueName, REG_DWORD, &seven, sizeof seven);
    SetPolicyKeyDacl(kDenySetValue);
    const SeenBox refused = Run(GetParam().command, {2, 3});
    SetPolicyKeyDacl(kAllowAll);
    EXPECT_EQ(refused.text, GetParam().failure);
    EXPECT_EQ(refused.title, L"Talmoran");
    EXPECT_EQ(refused.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(ReadPolicyValue(GetParam().valueName)->dword, 7U);

    EXPECT_EQ(Run(GetParam().command, {2, 3}).text, GetParam().success);
    EXPECT_EQ(ReadPolicyValue(GetParam().valueName)->dword, GetParam().writtenWithCandD);
}

INSTANTIATE_TEST_SUITE_P(AllCommands, RefusedWrite, ::testing::ValuesIn(kExpectedCommands),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(CommandsUnderWine, ARefusedKeyRaisesAccessDenied)
{
    SetPolicyKeyDacl(kDenySetValue);
    try {
        (void)registry_.CreateKey(kPolicyKey);
        ADD_FAILURE() << "the key should have been refused";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), ERROR_ACCESS_DENIED);
    }
    SetPolicyKeyDacl(kAllowAll);
}

// What a fresh process's shell says about the policy values.
std::string ShellView()
{
    return RunAndCapture(L"\"" + BesideThisExe(L"shell_probe.exe") + L"\"");
}

TEST_F(CommandsUnderWine, TheShellStopsListingAHiddenDriveSeesALockedOneAndListsItAgainAfterUnhide)
{
    ASSERT_NE(ShellView().find("C:\\"), std::string::npos);
    Run(Command::Hide, {2});
    Run(Command::Lock, {25});
    const std::string restricted = ShellView();
    EXPECT_NE(restricted.find("NoDrives=4 NoViewOnDrive=33554432 "), std::string::npos) << restricted;
    EXPECT_EQ(restricted.find("C:\\"), std::string::npos) << restricted;

    Run(Command::Unhide, {2});
    const std::string shown = ShellView();
    EXPECT_NE(shown.find("NoDrives=0 "), std::string::npos) << shown;
    EXPECT_NE(shown.find("C:\\"), std::string::npos) << shown;
}

} // namespace
} // namespace talmoran::test
