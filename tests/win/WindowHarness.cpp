#include "tests/win/WindowHarness.h"

#include <commctrl.h>

#include <thread>

#include "platform/win32/SystemApi.h"

namespace talmoran::test {

WindowHarness::WindowHarness() : window_(TalmoranWindow::Create(GetModuleHandleW(nullptr)))
{
    window_->Load();
    window_->Show(SW_SHOWNORMAL);
    SetForegroundWindow(window_->Handle());
    Pump();
}

WindowHarness::~WindowHarness()
{
    window_.reset();
    Pump();
}

UINT WindowHarness::Dpi() const
{
    return win32::DpiOf(Handle());
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
    HWND tabs = Control(ControlId::TabStrip1);
    RECT item{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(tabIndex - 1), reinterpret_cast<LPARAM>(&item));
    // A real left click (move, press, release) on the tab's middle, as the mouse would.
    POINT point{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(tabs, &point);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65536, GetSystemMetrics(SM_CXVIRTUALSCREEN)) + 1;
        input.mi.dy = MulDiv(point.y, 65536, GetSystemMetrics(SM_CYVIRTUALSCREEN)) + 1;
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, inputs, sizeof(INPUT));
    for (int i = 0; i < 20; ++i) {
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void WindowHarness::Tick(int index, bool ticked) const
{
    SendMessageW(Control(Check1Id(index)), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool WindowHarness::IsTicked(int index) const
{
    return SendMessageW(Control(Check1Id(index)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

RECT RectInParent(HWND control)
{
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace talmoran::test
