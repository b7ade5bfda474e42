#pragma once
// The one registry operation the program needs: create a key path under the
// current user when it is missing, then set a named 32-bit value in it.

#include <cstdint>
#include <memory>
#include <string_view>

namespace talmoran {

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // Replaces a value of the same name whatever its type. Raises a run-time
    // error carrying the Win32 code when refused.
    virtual void SetDword(std::wstring_view valueName, std::uint32_t data) = 0;
};

class CurrentUserRegistry {
public:
    virtual ~CurrentUserRegistry() = default;
    // Opens the key for writing, creating the missing keys on the path. Raises
    // a run-time error carrying the Win32 code when refused.
    [[nodiscard]] virtual std::unique_ptr<RegistryKey> CreateKey(std::wstring_view keyPath) = 0;
};

} // namespace talmoran
