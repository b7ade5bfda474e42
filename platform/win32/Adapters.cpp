#include "platform/win32/Adapters.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/Dpi.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Error.h"

namespace talmoran::win32 {

namespace {

// Windows keeps the access keys of hidden controls active ("Why are
// accelerators for hidden controls still active?", The Old New Thing): a
// hidden page is disabled too, the frame and each control on it, so that its
// keys reach nothing.
void EnableFrame(HWND frame, BOOL enable)
{
    EnableWindow(frame, enable);
    for (HWND child = GetWindow(frame, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        EnableWindow(child, enable);
    }
}

} // namespace

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

Int16 Win32FrameArray::UBound() const
{
    return static_cast<Int16>(static_cast<int>(frames_.size()) - 1);
}

HWND Win32FrameArray::At(Int16 index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= frames_.size()) {
        throw RuntimeError::SubscriptOutOfRange();
    }
    return frames_[static_cast<std::size_t>(index)];
}

TwipsRect Win32FrameArray::Rect(Int16 index) const
{
    HWND frame = At(index);
    RECT r{};
    CheckWin32(GetWindowRect(frame, &r), L"GetWindowRect");
    POINT corner{r.left, r.top};
    CheckWin32(ScreenToClient(GetParent(frame), &corner), L"ScreenToClient");
    return ToTwips({corner.x, corner.y, r.right - r.left, r.bottom - r.top}, DpiOf(frame));
}

void Win32FrameArray::Move(Int16 index, const TwipsRect& place)
{
    HWND frame = At(index);
    const PixelBox b = ToPixels(place, DpiOf(frame));
    CheckWin32(MoveWindow(frame, b.left, b.top, b.width, b.height, TRUE), L"MoveWindow");
}

void Win32FrameArray::SetVisible(Int16 index, bool visible)
{
    HWND frame = At(index);
    if (visible) {
        EnableFrame(frame, TRUE);
        ShowWindow(frame, SW_SHOW);
    } else {
        ShowWindow(frame, SW_HIDE);
        EnableFrame(frame, FALSE);
    }
}

void Win32TabStrip::Select(Int16 tabIndex)
{
    const auto count = static_cast<Int16>(SendMessageW(tabControl_, TCM_GETITEMCOUNT, 0, 0));
    if (tabIndex < 1 || tabIndex > count) {
        throw RuntimeError::SubscriptOutOfRange();
    }
    SendMessageW(tabControl_, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex - 1), 0);
}

Int16 Win32TabStrip::SelectedIndex() const
{
    const auto selected = static_cast<int>(SendMessageW(tabControl_, TCM_GETCURSEL, 0, 0));
    return CheckedAdd<Int16>(static_cast<Int16>(selected), 1);
}

ScreenSize PrimaryScreenInTwips(UINT dpi)
{
    return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi), PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

} // namespace talmoran::win32
