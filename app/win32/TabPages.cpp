#include "app/win32/TabPages.h"

#include <commctrl.h>

#include "platform/RuntimeError.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Win32Error.h"

namespace talmoran {
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

Int16 FrameArray::UBound() const
{
    return static_cast<Int16>(static_cast<int>(frames_.size()) - 1);
}

HWND FrameArray::At(Int16 index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= frames_.size()) {
        throw RuntimeError::SubscriptOutOfRange();
    }
    return frames_[static_cast<std::size_t>(index)];
}

TwipsRect FrameArray::Rect(Int16 index) const
{
    HWND frame = At(index);
    RECT r{};
    win32::CheckWin32(GetWindowRect(frame, &r), L"GetWindowRect");
    POINT corner{r.left, r.top};
    win32::CheckWin32(ScreenToClient(GetParent(frame), &corner), L"ScreenToClient");
    return ToTwips({corner.x, corner.y, r.right - r.left, r.bottom - r.top}, win32::DpiOf(frame));
}

void FrameArray::Move(Int16 index, const TwipsRect& place) const
{
    HWND frame = At(index);
    const PixelBox b = ToPixels(place, win32::DpiOf(frame));
    win32::CheckWin32(MoveWindow(frame, b.left, b.top, b.width, b.height, TRUE), L"MoveWindow");
}

void FrameArray::SetVisible(Int16 index, bool visible) const
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

void TabStrip::Select(Int16 tabIndex) const
{
    const auto count = static_cast<Int16>(SendMessageW(tabControl_, TCM_GETITEMCOUNT, 0, 0));
    if (tabIndex < 1 || tabIndex > count) {
        throw RuntimeError::SubscriptOutOfRange();
    }
    SendMessageW(tabControl_, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex - 1), 0);
}

Int16 TabStrip::SelectedIndex() const
{
    const auto selected = static_cast<int>(SendMessageW(tabControl_, TCM_GETCURSEL, 0, 0));
    return CheckedAdd<Int16>(static_cast<Int16>(selected), 1);
}

void SetUpTabPages(const FrameArray& ChoiceFrame, const TabStrip& TabStrip1, Int16& CurrentPage)
{
    StackFramesOnFirst(ChoiceFrame, true);
    CurrentPage = 1;
    TabStrip1.Select(CurrentPage);
    ChoiceFrame.SetVisible(CheckedSub<Int16>(CurrentPage, 1), true);
}

void ShowSelectedPage(const FrameArray& ChoiceFrame, const TabStrip& TabStrip1, Int16& CurrentPage)
{
    ChoiceFrame.SetVisible(CheckedSub<Int16>(CurrentPage, 1), false);
    CurrentPage = TabStrip1.SelectedIndex();
    ChoiceFrame.SetVisible(CheckedSub<Int16>(CurrentPage, 1), true);
}

void StackFramesOnFirst(const FrameArray& ChoiceFrame, bool hide)
{
    const Int16 n = ChoiceFrame.UBound();
    for (Int16 i = 1; i <= n; i = CheckedAdd<Int16>(i, 1)) {
        ChoiceFrame.Move(i, ChoiceFrame.Rect(0));
        if (hide) {
            ChoiceFrame.SetVisible(i, false);
        }
    }
}

} // namespace talmoran
