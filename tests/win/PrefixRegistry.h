#pragma once
// Reading and resetting the Explorer policy key of the throwaway test prefix.

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>

#include "platform/win32/Handles.h"
#include "tests/common/ExpectedCommands.h"

namespace talmoran::test {

// A policy value as stored: its type, its size in bytes and its first four
// bytes as a number. The one reader of the tests.
struct StoredValue {
    DWORD type = REG_NONE;
    DWORD size = 0;
    std::uint32_t dword = 0;
    bool operator==(const StoredValue&) const = default;
};

inline std::optional<StoredValue> ReadPolicyValue(const wchar_t* name)
{
    StoredValue value;
    std::uint8_t data[64] = {};
    value.size = sizeof data;
    if (RegGetValueW(HKEY_CURRENT_USER, kPolicyKey, name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, data, &value.size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::memcpy(&value.dword, data, sizeof value.dword);
    return value;
}

inline void DeletePolicyKey()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kPolicyKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, kPolicyKey);
}

// Sets the policy key's DACL. Wine ignores a descriptor handed to
// RegCreateKeyExW but enforces one set afterwards.
inline void SetPolicyKeyDacl(const wchar_t* sddl)
{
    win32::UniqueHkey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPolicyKey, 0, nullptr, 0, WRITE_DAC, nullptr, key.Put(), nullptr),
              ERROR_SUCCESS);
    win32::UniqueHlocal descriptor;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, descriptor.Put(), nullptr));
    EXPECT_EQ(RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor.Get()), ERROR_SUCCESS);
}

// Everyone is denied KEY_SET_VALUE (0x2) only, so the key stays readable.
inline constexpr const wchar_t* kDenySetValue = L"D:(D;;0x2;;;WD)(A;;GA;;;WD)";
inline constexpr const wchar_t* kAllowAll = L"D:(A;;GA;;;WD)";

} // namespace talmoran::test
