#pragma once
// The current user's registry through the Win32 API: keys opened for
// KEY_SET_VALUE only, created when missing.

#include "platform/Registry.h"

namespace talmoran::win32 {

class Win32CurrentUserRegistry final : public CurrentUserRegistry {
public:
    [[nodiscard]] std::unique_ptr<RegistryKey> CreateKey(std::wstring_view keyPath) override;
};

} // namespace talmoran::win32
