#include "platform/win32/Win32Registry.h"

#include <string>

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Error.h"

namespace talmoran::win32 {
namespace {

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(UniqueHkey key) : key_(std::move(key)) {}

    void SetDword(std::wstring_view valueName, std::uint32_t data) override
    {
        const std::wstring name(valueName);
        const DWORD value = data;
        const LSTATUS status =
            RegSetValueExW(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
        if (status != ERROR_SUCCESS) {
            throw Win32Error(static_cast<DWORD>(status));
        }
    }

private:
    UniqueHkey key_;
};

} // namespace

std::unique_ptr<RegistryKey> Win32CurrentUserRegistry::CreateKey(std::wstring_view keyPath)
{
    const std::wstring path(keyPath);
    UniqueHkey key;
    const LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                           KEY_SET_VALUE, nullptr, key.Put(), nullptr);
    if (status != ERROR_SUCCESS) {
        throw Win32Error(static_cast<DWORD>(status));
    }
    return std::make_unique<Win32RegistryKey>(std::move(key));
}

} // namespace talmoran::win32
