#pragma once
// The real window Talmoran, created in the test process by the same Create,
// Load and Show that talmoran.exe runs, and ways to drive it as a user would.

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "app/win32/TalmoranWindow.h"
#include "platform/win32/Dpi.h"
#include "testkit/BoxPresser.h"
#include "testkit/Windows.h"
#include "tests/common/ExpectedCommands.h"

namespace talmoran::test {

class WindowHarness {
public:
    // The window as talmoran.exe makes it, shown as `showCommand` asks (and
    // made the foreground window when shown normally).
    explicit WindowHarness(int showCommand = SW_SHOWNORMAL) : window_(TalmoranWindow::Create(GetModuleHandleW(nullptr)))
    {
        window_->Load();
        window_->Show(showCommand);
        if (showCommand == SW_SHOWNORMAL) {
            SetForegroundWindow(window_->Handle());
        }
        Pump();
    }
    ~WindowHarness()
    {
        window_.reset();
        Pump();
    }
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    [[nodiscard]] TalmoranWindow& Window() { return *window_; }
    [[nodiscard]] HWND Handle() const { return window_->Handle(); }
    [[nodiscard]] HWND Control(ControlId id) const { return window_->Control(id); }
    [[nodiscard]] UINT Dpi() const { return win32::DpiOf(Handle()); }

    // Delivers pending messages as the program's own loop does.
    void Pump() const { testkit::Pump(window_ ? Handle() : nullptr); }
    // Selects tab `tabIndex` (1-based) of TabStrip1 as a click would: select,
    // then notify the parent.
    void ClickTab(int tabIndex) const
    {
        HWND tabs = Control(ControlId::TabStrip1);
        SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(tabIndex - 1), 0);
        NMHDR selected{tabs, static_cast<UINT_PTR>(ControlId::TabStrip1), static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(Handle(), WM_NOTIFY, selected.idFrom, reinterpret_cast<LPARAM>(&selected));
        Pump();
    }
    void Tick(int index) const { SendMessageW(Control(Check1Id(index)), BM_SETCHECK, BST_CHECKED, 0); }

private:
    std::unique_ptr<TalmoranWindow> window_;
};

// Sends `window` the WM_DPICHANGED that a move to a screen of `dpi` brings,
// with a place suggested there, and paints it; returns that place. Only the
// message: the DPI the system reports for the window stays what it was.
inline RECT ChangeDpi(HWND window, UINT dpi, POINT at = {0, 0})
{
    RECT suggested{at.x, at.y, at.x + TwipsToPixels(7000, dpi), at.y + TwipsToPixels(4000, dpi)};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(window); // paints, so the page is captured again
    return suggested;
}

// A control's rectangle in `window`'s client coordinates (its container's
// when none is given).
[[nodiscard]] inline RECT RectIn(HWND control, HWND window = nullptr)
{
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, window != nullptr ? window : GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Every message box of the test process, pressed as soon as it shows.
[[nodiscard]] inline testkit::BoxPresser& Boxes()
{
    static testkit::BoxPresser presser;
    return presser;
}

inline void DeletePolicyKey()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, kPolicyKey);
}

} // namespace talmoran::test
