#pragma once
// The single place that knows where the two drive restrictions live and how a
// value is written: a value path "HKCU\<key>\<value name>" and a REG_DWORD.

#include <string>
#include <string_view>

#include "platform/Checked.h"
#include "platform/Registry.h"

namespace talmoran {

enum class Policy {
    Lock, // NoViewOnDrive: Explorer refuses to open the drives
    Hide, // NoDrives: Explorer no longer lists the drives
};

[[nodiscard]] std::wstring_view PolicyValuePath(Policy policy);

struct ValuePath {
    std::wstring_view keyPath;   // below HKEY_CURRENT_USER
    std::wstring_view valueName; // after the last backslash
};

// Splits a value path into key and value name. Refuses, with a run-time
// error, any path that does not name the current user's hive, has no key or
// no value name, has an empty segment, or holds a NUL (which Win32 would
// silently cut short, writing somewhere else).
[[nodiscard]] ValuePath SplitValuePath(std::wstring_view path);

// Writes one policy value: copies its path into PolicyPath, creates the key
// when missing and stores the value as REG_DWORD. Errors reach the caller.
void WritePolicyValue(CurrentUserRegistry& registry, Policy policy, Int32 value, std::wstring& PolicyPath);

} // namespace talmoran
