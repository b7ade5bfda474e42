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

void WindowHarness::Pump() const
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        if (message.message == WM_QUIT) {
            continue; // the loop of the test process, not the program's, ends
        }
        if (!window_ || IsDialogMessageW(Handle(), &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
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

BoxPresser& Boxes()
{
    static BoxPresser presser;
    return presser;
}

RECT RectInParent(HWND control)
{
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace talmoran::test
