#include "policy/PolicyStore.h"

#include <algorithm>
#include <array>

#include "platform/RuntimeError.h"

namespace talmoran {
namespace {

constexpr std::wstring_view kLockPath =
    L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoViewOnDrive";
constexpr std::wstring_view kHidePath =
    L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\NoDrives";

// The registry's own spellings of the current user's hive.
constexpr std::array<std::wstring_view, 2> kCurrentUserHives = {L"HKCU", L"HKEY_CURRENT_USER"};

// ASCII letters only: towupper follows the process locale, and in a Unicode
// one it turns a long s (U+017F) into S, which let HKEY_CURRENT_U<long s>ER
// pass for the current user's hive.
constexpr wchar_t AsciiUpper(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](wchar_t x, wchar_t y) { return AsciiUpper(x) == AsciiUpper(y); });
}

[[noreturn]] void RefusePath()
{
    throw RuntimeError(ErrorNumber::InvalidProcedureCall, L"Invalid registry value path");
}

} // namespace

std::wstring_view PolicyValuePath(Policy policy)
{
    return policy == Policy::Lock ? kLockPath : kHidePath;
}

ValuePath SplitValuePath(std::wstring_view path)
{
    if (path.find(L'\0') != std::wstring_view::npos) {
        RefusePath();
    }
    const auto hiveEnd = path.find(L'\\');
    const auto nameStart = path.rfind(L'\\');
    if (hiveEnd == std::wstring_view::npos || nameStart == hiveEnd) {
        RefusePath(); // no key between the hive and the value name
    }
    const std::wstring_view hive = path.substr(0, hiveEnd);
    const bool currentUser = std::any_of(kCurrentUserHives.begin(), kCurrentUserHives.end(),
                                         [hive](std::wstring_view h) { return EqualsIgnoringCase(hive, h); });
    const ValuePath result{path.substr(hiveEnd + 1, nameStart - hiveEnd - 1), path.substr(nameStart + 1)};
    if (!currentUser || result.valueName.empty() || result.keyPath.empty() ||
        result.keyPath.find(L"\\\\") != std::wstring_view::npos || result.keyPath.front() == L'\\' ||
        result.keyPath.back() == L'\\') {
        RefusePath();
    }
    return result;
}

void WritePolicyValue(CurrentUserRegistry& registry, Policy policy, Int32 value, std::wstring& PolicyPath)
{
    PolicyPath = PolicyValuePath(policy);
    const ValuePath target = SplitValuePath(PolicyPath);
    const auto key = registry.CreateKey(target.keyPath);
    key->SetDword(target.valueName, static_cast<std::uint32_t>(value));
}

} // namespace talmoran
