#pragma once
// The seam over Win32: the drive boxes, the registry and the message box, and
// the report of an error that no command trapped.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Interfaces.h"

namespace talmoran::win32 {

inline constexpr const wchar_t* kApplicationTitle = L"Talmoran";

// Check1 over real BUTTON check boxes, reached by index.
class Win32CheckBoxes final : public CheckBoxes {
public:
    Win32CheckBoxes() = default;
    explicit Win32CheckBoxes(std::vector<HWND> boxes) : boxes_(std::move(boxes)) {}
    [[nodiscard]] CheckValue Value(Int16 index) const override;

private:
    std::vector<HWND> boxes_;
};

// The key opened for KEY_SET_VALUE only, created when missing, and closed
// again after the write.
class Win32CurrentUserRegistry final : public CurrentUserRegistry {
public:
    void SetDword(std::wstring_view keyPath, std::wstring_view valueName, std::uint32_t data) override;
};

// Owned by the main window, so that it takes no input while the box is open,
// and titled "Talmoran" explicitly: a Win32 box without a title says "Error".
class Win32MessageBox final : public ModalMessageBox {
public:
    explicit Win32MessageBox(HWND owner = nullptr) noexcept : owner_(owner) {}
    void Show(std::wstring_view prompt) override;

private:
    HWND owner_;
};

// Shows a run-time error that no command trapped, owned by `owner`.
void ReportRuntimeError(HWND owner, const std::wstring& report) noexcept;

} // namespace talmoran::win32
