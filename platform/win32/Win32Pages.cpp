#include "platform/win32/Win32Pages.h"

#include <commctrl.h>

#include "platform/Twips.h"
#include "platform/RuntimeError.h"
#include "platform/win32/SystemApi.h"
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

FrameRect Win32FrameArray::Rect(Int16 index) const
{
    HWND frame = At(index);
    RECT r{};
    CheckWin32(GetWindowRect(frame, &r), L"GetWindowRect");
    MapPointsChecked(HWND_DESKTOP, GetParent(frame), reinterpret_cast<POINT*>(&r), 2);
    const UINT dpi = DpiOf(frame);
    return {PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi), PixelsToTwips(r.right - r.left, dpi),
            PixelsToTwips(r.bottom - r.top, dpi)};
}

void Win32FrameArray::Move(Int16 index, float left, float top, float width, float height)
{
    HWND frame = At(index);
    const UINT dpi = DpiOf(frame);
    CheckWin32(MoveWindow(frame, TwipsToPixels(left, dpi), TwipsToPixels(top, dpi), TwipsToPixels(width, dpi),
                          TwipsToPixels(height, dpi), TRUE),
               L"MoveWindow");
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

} // namespace talmoran::win32
