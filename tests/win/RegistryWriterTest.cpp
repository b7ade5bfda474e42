// The real registry writer, in the throwaway Wine prefix of the test run.
#include <gtest/gtest.h>

#include "platform/win32/Win32Registry.h"
#include "policy/PolicyStore.h"
#include "tests/win/PrefixRegistry.h"

namespace talmoran::test {
namespace {

class RealRegistry : public ::testing::Test {
protected:
    void SetUp() override { DeletePolicyKey(); }
    void TearDown() override { DeletePolicyKey(); }

    void Write(Policy policy, Int32 value) { WritePolicyValue(registry_, policy, value, PolicyPath); }

    win32::Win32CurrentUserRegistry registry_;
    std::wstring PolicyPath;
};

TEST_F(RealRegistry, CreatesTheMissingKeyPathThenTheValue)
{
    ASSERT_FALSE(ReadPolicyValue(L"NoViewOnDrive"));
    Write(Policy::Lock, 5);
    const auto stored = ReadPolicyValue(L"NoViewOnDrive");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored->dword, 5U);
    EXPECT_FALSE(ReadPolicyValue(L"NoDrives")) << "Lock leaves NoDrives alone";
}

TEST_F(RealRegistry, ReplacesAStringOfTheSameNameWithADword)
{
    const wchar_t text[] = L"12";
    SetPolicyValue(L"NoDrives", REG_SZ, text, sizeof text);
    Write(Policy::Hide, 12);
    const auto stored = ReadPolicyValue(L"NoDrives");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored->dword, 12U);
}

TEST_F(RealRegistry, LeavesOtherValuesOfTheKeyUntouched)
{
    SetPolicyDword(L"NoRun", 1);
    SetPolicyDword(L"NoDesktop", 0);
    Write(Policy::Lock, 0x3FFFFFF);
    Write(Policy::Hide, 4);
    EXPECT_EQ(ReadPolicyValue(L"NoRun")->dword, 1U);
    EXPECT_EQ(ReadPolicyValue(L"NoDesktop")->dword, 0U);
    EXPECT_EQ(ReadPolicyValue(L"NoViewOnDrive")->dword, 0x3FFFFFFU);
    EXPECT_EQ(ReadPolicyValue(L"NoDrives")->dword, 4U);
}

TEST_F(RealRegistry, ClearingKeepsTheValuePresentAsZero)
{
    Write(Policy::Lock, 12);
    Write(Policy::Lock, 0);
    const auto stored = ReadPolicyValue(L"NoViewOnDrive");
    ASSERT_TRUE(stored) << "cleared, not deleted";
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored->dword, 0U);
}

TEST_F(RealRegistry, ARefusedWriteRaisesAccessDeniedAndKeepsTheValue)
{
    SetPolicyDword(L"NoViewOnDrive", 7);
    DenySetValueOnPolicyKey();
    try {
        Write(Policy::Lock, 12);
        ADD_FAILURE() << "the write should have been refused";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), ERROR_ACCESS_DENIED);
    }
    AllowPolicyKey();
    EXPECT_EQ(ReadPolicyValue(L"NoViewOnDrive")->dword, 7U);
}

TEST_F(RealRegistry, AKeyThatCannotBeCreatedRaisesItsWin32Code)
{
    try {
        (void)registry_.CreateKey(L"Software\\" + std::wstring(300, L'k'));
        ADD_FAILURE() << "a key name over 255 characters must be refused";
    } catch (const RuntimeError& error) {
        EXPECT_NE(error.Number(), 0);
        EXPECT_FALSE(error.Description().empty());
    }
}

} // namespace
} // namespace talmoran::test
