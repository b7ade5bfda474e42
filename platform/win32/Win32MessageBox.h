#pragma once
// Modal message boxes owned by the main window, so that it takes no input
// while one is open, and titled "Talmoran" explicitly: a Win32 box without a
// title says "Error".

#include <windows.h>

#include "platform/ModalMessageBox.h"

namespace talmoran::win32 {

inline constexpr const wchar_t* kApplicationTitle = L"Talmoran";

class Win32MessageBox final : public ModalMessageBox {
public:
    explicit Win32MessageBox(HWND owner) noexcept : owner_(owner) {}
    int Show(std::wstring_view prompt, MessageBoxStyle style) override;

private:
    HWND owner_;
};

} // namespace talmoran::win32
