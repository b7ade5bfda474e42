#include "platform/win32/Adapters.h"

#include <string>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32Error.h"

namespace talmoran::win32 {

CheckValue Win32CheckBoxes::Value(Int16 index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= boxes_.size() || boxes_[index] == nullptr) {
        throw RuntimeError::SubscriptOutOfRange();
    }
    switch (SendMessageW(boxes_[index], BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return CheckValue::Ticked;
    case BST_INDETERMINATE: return CheckValue::Greyed;
    default: return CheckValue::Unticked;
    }
}

void Win32CurrentUserRegistry::SetDword(std::wstring_view keyPath, std::wstring_view valueName, std::uint32_t data)
{
    const std::wstring path(keyPath);
    const std::wstring name(valueName);
    const DWORD value = data;
    UniqueHkey key;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, key.Put(), nullptr);
    if (status == ERROR_SUCCESS) {
        status =
            RegSetValueExW(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }
    if (status != ERROR_SUCCESS) {
        throw Win32Error(static_cast<DWORD>(status));
    }
}

void Win32MessageBox::Show(std::wstring_view prompt)
{
    const std::wstring text(prompt);
    // Windows answers 0 when the box cannot be shown, Wine -1; a pressed
    // button is always positive.
    if (MessageBoxW(owner_, text.c_str(), kApplicationTitle, MB_OK) <= 0) {
        throw LastWin32Error(L"MessageBoxW");
    }
}

void ReportRuntimeError(HWND owner, const std::wstring& report) noexcept
{
    MessageBoxW(owner, report.c_str(), kApplicationTitle, MB_OK | MB_ICONERROR);
}

} // namespace talmoran::win32
