#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <stdexcept>
#include <string>

#include "policy/PolicyStore.h"
#include "tests/host/Fakes.h"

namespace talmoran::test {
namespace {

// The C locale and a Unicode one, where towupper and towlower map far more
// than ASCII: the split must give the same answer in both.
constexpr std::array<const char*, 2> kLocales = {"C", "C.UTF-8"};

// Puts LC_CTYPE back as it was when the test ends.
class ScopedCtypeLocale {
public:
    ScopedCtypeLocale() : saved_(std::setlocale(LC_CTYPE, nullptr)) {}
    ~ScopedCtypeLocale() { (void)std::setlocale(LC_CTYPE, saved_.c_str()); }
    ScopedCtypeLocale(const ScopedCtypeLocale&) = delete;
    ScopedCtypeLocale& operator=(const ScopedCtypeLocale&) = delete;
    ScopedCtypeLocale(ScopedCtypeLocale&&) = delete;
    ScopedCtypeLocale& operator=(ScopedCtypeLocale&&) = delete;

private:
    std::string saved_;
};

struct SplitCase {
    std::wstring path;
    std::wstring key;
    std::wstring name;
};

class SplitAcceptsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitAcceptsTest, SplitsIntoKeyAndValueNameInAnyLocale)
{
    const ScopedCtypeLocale restore;
    for (const char* locale : kLocales) {
        ASSERT_NE(std::setlocale(LC_CTYPE, locale), nullptr) << locale;
        const ValuePath split = SplitValuePath(GetParam().path);
        EXPECT_EQ(split.keyPath, GetParam().key) << locale;
        EXPECT_EQ(split.valueName, GetParam().name) << locale;
    }
}

INSTANTIATE_TEST_SUITE_P(
    CurrentUserPaths, SplitAcceptsTest,
    ::testing::Values(SplitCase{std::wstring(PolicyValuePath(Policy::Lock)), ExplorerPolicyKey(), L"NoViewOnDrive"},
                      SplitCase{std::wstring(PolicyValuePath(Policy::Hide)), ExplorerPolicyKey(), L"NoDrives"},
                      SplitCase{L"HKEY_CURRENT_USER\\Software\\V", L"Software", L"V"},
                      SplitCase{L"hkcu\\A\\B\\C", L"A\\B", L"C"}));

class SplitRefusesTest : public ::testing::TestWithParam<std::wstring> {};

TEST_P(SplitRefusesTest, RefusesWithARuntimeErrorInAnyLocale)
{
    const ScopedCtypeLocale restore;
    for (const char* locale : kLocales) {
        ASSERT_NE(std::setlocale(LC_CTYPE, locale), nullptr) << locale;
        EXPECT_THROW((void)SplitValuePath(GetParam()), RuntimeError) << locale;
    }
}

INSTANTIATE_TEST_SUITE_P(
    OtherHivesAndMalformedPaths, SplitRefusesTest,
    ::testing::Values(L"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDrives",
                      L"HKEY_LOCAL_MACHINE\\Software\\X", L"HKCUX\\Software\\X", L"\\Software\\X", L"", L"HKCU",
                      L"HKCU\\NoKey", L"HKCU\\Software\\", L"HKCU\\\\Value", L"HKCU\\Soft\\\\ware\\Value",
                      std::wstring(L"HKCU\\Software\\Ex\0plorer\\NoDrives", 32), L"Software\\X",
                      // Letters that case-map onto the hive's ASCII in a Unicode locale only:
                      // long s (U+017F) upper-cases to S, Kelvin sign (U+212A) lower-cases to k.
                      L"HKEY_CURRENT_U\u017FER\\Software\\V", L"H\u212ACU\\Software\\V"));

TEST(WritePolicyValue, WritesOneDwordAtThePolicysPathAndRemembersThePath)
{
    FakeRegistry registry;
    registry.values[{ExplorerPolicyKey(), L"NoRun"}] = 1;
    std::wstring PolicyPath;

    WritePolicyValue(registry, Policy::Lock, 5, PolicyPath);

    EXPECT_EQ(PolicyPath, PolicyValuePath(Policy::Lock));
    EXPECT_EQ(registry.writes, 1);
    EXPECT_EQ((registry.values[{ExplorerPolicyKey(), L"NoViewOnDrive"}]), 5U);
    EXPECT_EQ(registry.values.count({ExplorerPolicyKey(), L"NoDrives"}), 0U);
    EXPECT_EQ((registry.values[{ExplorerPolicyKey(), L"NoRun"}]), 1U);
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
    EXPECT_EQ(FormatRuntimeErrorReport(RuntimeError(-2147024891, L"Access is denied.")),
              L"Run-time error '-2147024891':\r\n\r\nAccess is denied.");
    EXPECT_EQ(DecimalText(0), L"0");
    EXPECT_EQ(DecimalText(INT64_MIN), L"-9223372036854775808");
    EXPECT_EQ(FormatRuntimeErrorReport(RuntimeError::SubscriptOutOfRange()),
              L"Run-time error '9':\r\n\r\nSubscript out of range");
}

TEST(RuntimeErrorReport, WidensAnUnexpectedErrorsTextByteForByte)
{
    // A byte above 0x7F must not be sign-extended into a wide character.
    EXPECT_EQ(FormatUnexpectedErrorReport(std::runtime_error("bad_alloc \xE9")),
              L"Run-time error:\r\n\r\nbad_alloc \u00E9");
}

} // namespace
} // namespace talmoran::test
