#pragma once
// The single place that knows where the two drive restrictions live and how a
// value is written: a REG_DWORD under the current user's Explorer policy key.

#include <string>
#include <string_view>

#include "platform/Interfaces.h"

namespace talmoran {

enum class Policy {
    Lock, // NoViewOnDrive: Explorer refuses to open the drives
    Hide, // NoDrives: Explorer no longer lists the drives
};

// Below HKEY_CURRENT_USER.
inline constexpr std::wstring_view kPolicyKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

[[nodiscard]] constexpr std::wstring_view PolicyValueName(Policy policy)
{
    return policy == Policy::Lock ? L"NoViewOnDrive" : L"NoDrives";
}

// Writes one policy value: copies its path, "HKCU\<key>\<value name>", into
// PolicyPath, creates the key when missing and stores the value as REG_DWORD.
// Errors reach the caller.
void WritePolicyValue(CurrentUserRegistry& registry, Policy policy, Int32 value, std::wstring& PolicyPath);

} // namespace talmoran
