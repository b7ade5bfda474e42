#pragma once
// Reading and resetting the Explorer policy key of the throwaway test prefix.

#include <windows.h>
#include <sddl.h>

#include <cstdint>
#include <optional>
#include <string>

namespace talmoran::test {

inline constexpr const wchar_t* kExplorerPolicyKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

struct StoredValue {
    DWORD type = REG_NONE;
    std::uint32_t dword = 0;
    std::wstring text;
};

inline std::optional<StoredValue> ReadPolicyValue(const wchar_t* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kExplorerPolicyKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    BYTE data[512] = {};
    DWORD size = sizeof data - sizeof(wchar_t);
    StoredValue value;
    const LSTATUS status = RegQueryValueExW(key, name, nullptr, &value.type, data, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (value.type == REG_DWORD) {
        memcpy(&value.dword, data, sizeof value.dword);
    } else if (value.type == REG_SZ) {
        value.text = reinterpret_cast<const wchar_t*>(data);
    }
    return value;
}

inline void DeletePolicyKey()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kExplorerPolicyKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, kExplorerPolicyKey);
}

inline void SetPolicyValue(const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kExplorerPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

inline void SetPolicyDword(const wchar_t* name, DWORD value)
{
    SetPolicyValue(name, REG_DWORD, &value, sizeof value);
}

// Sets the policy key's DACL. Wine ignores a descriptor handed to
// RegCreateKeyExW but enforces one set afterwards.
inline void SetPolicyKeyDacl(const wchar_t* sddl)
{
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, kExplorerPolicyKey, 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor, nullptr);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    RegCloseKey(key);
}

// Everyone is denied KEY_SET_VALUE (0x2) only, so the key stays readable.
inline void DenySetValueOnPolicyKey()
{
    SetPolicyKeyDacl(L"D:(D;;0x2;;;WD)(A;;GA;;;WD)");
}

inline void AllowPolicyKey()
{
    SetPolicyKeyDacl(L"D:(A;;GA;;;WD)");
}

} // namespace talmoran::test
