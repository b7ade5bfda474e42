#include "tests/win/WindowHarness.h"

#include <commctrl.h>

namespace talmoran::test {

WindowHarness::WindowHarness(int showCommand) : window_(TalmoranWindow::Create(GetModuleHandleW(nullptr)))
{
    window_->Load();
    window_->Show(showCommand);
    if (showCommand == SW_SHOWNORMAL) {
        SetForegroundWindow(window_->Handle());
    }
    Pump();
}

WindowHarness::~WindowHarness()
{
    window_.reset();
    Pump();
}

void WindowHarness::ClickTab(int tabIndex) const
{
    // As the tab control does on a click: select, then notify the parent.
    HWND tabs = Control(ControlId::TabStrip1);
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex - 1), 0);
    NMHDR selected{tabs, static_cast<UINT_PTR>(ControlId::TabStrip1), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(Handle(), WM_NOTIFY, selected.idFrom, reinterpret_cast<LPARAM>(&selected));
    Pump();
}

RECT ChangeDpi(HWND window, UINT dpi, POINT at)
{
    RECT suggested{at.x, at.y, at.x + TwipsToPixels(7000, dpi), at.y + TwipsToPixels(4000, dpi)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(window); // paints, so the page is captured again
    return suggested;
}

testkit::BoxPresser& Boxes()
{
    static testkit::BoxPresser presser;
    return presser;
}

RECT RectIn(HWND control, HWND window)
{
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, window != nullptr ? window : GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace talmoran::test
