#include <gtest/gtest.h>

#include "policy/PolicyStore.h"
#include "tests/host/Fakes.h"

namespace talmoran::test {
namespace {

struct SplitCase {
    std::wstring path;
    std::wstring key;
    std::wstring name;
};

class SplitAcceptsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitAcceptsTest, SplitsIntoKeyAndValueName)
{
    const ValuePath split = SplitValuePath(GetParam().path);
    EXPECT_EQ(split.keyPath, GetParam().key);
    EXPECT_EQ(split.valueName, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    CurrentUserPaths, SplitAcceptsTest,
    ::testing::Values(SplitCase{std::wstring(PolicyValuePath(Policy::Lock)), kExplorerPolicyKey, L"NoViewOnDrive"},
                      SplitCase{std::wstring(PolicyValuePath(Policy::Hide)), kExplorerPolicyKey, L"NoDrives"},
                      SplitCase{L"HKEY_CURRENT_USER\\Software\\V", L"Software", L"V"},
                      SplitCase{L"hkcu\\A\\B\\C", L"A\\B", L"C"}));

class SplitRefusesTest : public ::testing::TestWithParam<std::wstring> {};

TEST_P(SplitRefusesTest, RefusesWithARuntimeError)
{
    EXPECT_THROW((void)SplitValuePath(GetParam()), RuntimeError);
}

INSTANTIATE_TEST_SUITE_P(
    OtherHivesAndMalformedPaths, SplitRefusesTest,
    ::testing::Values(L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDrives",
                      L"HKEY_LOCAL_MACHINE\\Software\\X", L"HKCUX\\Software\\X", L"\\Software\\X", L"", L"HKCU",
                      L"HKCU\\NoKey", L"HKCU\\Software\\", L"HKCU\\\\Value", L"HKCU\\Soft\\\\ware\\Value",
                      std::wstring(L"HKCU\\Software\\Ex\0plorer\\NoDrives", 32), L"Software\\X"));

TEST(WritePolicyValue, WritesOneDwordAtThePolicysPathAndRemembersThePath)
{
    FakeRegistry registry;
    registry.values[{kExplorerPolicyKey, L"NoRun"}] = 1;
    std::wstring PolicyPath;

    WritePolicyValue(registry, Policy::Lock, 5, PolicyPath);

    EXPECT_EQ(PolicyPath, PolicyValuePath(Policy::Lock));
    EXPECT_EQ(registry.writes, 1);
    EXPECT_EQ((registry.values[{kExplorerPolicyKey, L"NoViewOnDrive"}]), 5U);
    EXPECT_EQ(registry.values.count({kExplorerPolicyKey, L"NoDrives"}), 0U);
    EXPECT_EQ((registry.values[{kExplorerPolicyKey, L"NoRun"}]), 1U);
}

TEST(WritePolicyValue, ARefusedKeyRaisesWithThePathAlreadyRemembered)
{
    FakeRegistry registry;
    registry.refuseKey = true;
    std::wstring PolicyPath;
    EXPECT_THROW(WritePolicyValue(registry, Policy::Hide, 4, PolicyPath), RuntimeError);
    EXPECT_EQ(PolicyPath, PolicyValuePath(Policy::Hide));
    EXPECT_TRUE(registry.values.empty());
}

TEST(CheckedArithmetic, RaisesOverflowInsteadOfWrapping)
{
    const auto expectOverflow = [](auto operation) {
        try {
            operation();
            ADD_FAILURE() << "no overflow raised";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.Number(), 6);
            EXPECT_EQ(error.Description(), L"Overflow");
        }
    };
    expectOverflow([] { (void)CheckedAdd<Int16>(32767, 1); });
    expectOverflow([] { (void)CheckedSub<Int16>(-32768, 1); });
    expectOverflow([] { (void)CheckedSub<Int16>(0, -32768); });
    expectOverflow([] { (void)CheckedAdd<Int32>(0x7FFFFFFF, 1); });
    EXPECT_EQ(CheckedAdd<Int16>(32766, 1), 32767);
    EXPECT_EQ(CheckedSub<Int16>(1, 1), 0);
    EXPECT_EQ(CheckedAdd<Int32>(0x2000000, 0x1FFFFFF), 0x3FFFFFF);
}

TEST(RuntimeErrorReport, NamesTheNumberAndTheText)
{
    EXPECT_EQ(FormatRuntimeErrorReport(RuntimeError::SubscriptOutOfRange()),
              L"Run-time error '9':\r\n\r\nSubscript out of range");
}

} // namespace
} // namespace talmoran::test
