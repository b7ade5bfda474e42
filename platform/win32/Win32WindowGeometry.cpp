#include "platform/win32/Win32WindowGeometry.h"

#include "platform/Twips.h"
#include "platform/win32/SystemApi.h"
#include "platform/win32/Win32Error.h"

namespace talmoran::win32 {

RECT Win32WindowGeometry::Outer() const
{
    RECT r{};
    CheckWin32(GetWindowRect(window_, &r), L"GetWindowRect");
    return r;
}

void Win32WindowGeometry::Place(int left, int top, int width, int height, UINT keep)
{
    // A hidden window has nothing to redraw yet: its first paint comes when
    // it is shown.
    const UINT hidden = IsWindowVisible(window_) == FALSE ? SWP_NOREDRAW | SWP_NOCOPYBITS : 0;
    CheckWin32(SetWindowPos(window_, nullptr, left, top, width, height, keep | hidden | SWP_NOZORDER | SWP_NOACTIVATE),
               L"SetWindowPos");
}

float Win32WindowGeometry::Width() const
{
    const RECT r = Outer();
    return PixelsToTwips(r.right - r.left, DpiOf(window_));
}

float Win32WindowGeometry::Height() const
{
    const RECT r = Outer();
    return PixelsToTwips(r.bottom - r.top, DpiOf(window_));
}

void Win32WindowGeometry::SetWidth(float twips)
{
    const RECT r = Outer();
    Place(r.left, r.top, TwipsToPixels(twips, DpiOf(window_)), r.bottom - r.top, SWP_NOMOVE);
}

void Win32WindowGeometry::SetHeight(float twips)
{
    const RECT r = Outer();
    Place(r.left, r.top, r.right - r.left, TwipsToPixels(twips, DpiOf(window_)), SWP_NOMOVE);
}

void Win32WindowGeometry::SetLeft(float twips)
{
    const RECT r = Outer();
    Place(TwipsToPixels(twips, DpiOf(window_)), r.top, r.right - r.left, r.bottom - r.top, SWP_NOSIZE);
}

void Win32WindowGeometry::SetTop(float twips)
{
    const RECT r = Outer();
    Place(r.left, TwipsToPixels(twips, DpiOf(window_)), r.right - r.left, r.bottom - r.top, SWP_NOSIZE);
}

float Win32Screen::Width() const
{
    return PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi_);
}

float Win32Screen::Height() const
{
    return PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi_);
}

} // namespace talmoran::win32
