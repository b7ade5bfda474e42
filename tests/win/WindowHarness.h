#pragma once
// The real window Talmoran, created in the test process exactly as
// talmoran.exe creates it, and ways to drive it as a user would.

#include <windows.h>

#include <memory>
#include <string>

#include "app/win32/TalmoranWindow.h"
#include "platform/win32/Dpi.h"
#include "testkit/BoxPresser.h"
#include "testkit/Windows.h"

namespace talmoran::test {

class WindowHarness {
public:
    // The window as talmoran.exe makes it, shown as `showCommand` asks (and
    // made the foreground window when shown normally).
    explicit WindowHarness(int showCommand = SW_SHOWNORMAL);
    ~WindowHarness();
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    [[nodiscard]] TalmoranWindow& Window() { return *window_; }
    [[nodiscard]] HWND Handle() const { return window_->Handle(); }
    [[nodiscard]] HWND Control(ControlId id) const { return window_->Control(id); }
    [[nodiscard]] UINT Dpi() const { return win32::DpiOf(Handle()); }

    // Delivers pending messages as the program's own loop does.
    void Pump() const { testkit::Pump(window_ ? Handle() : nullptr); }
    // Selects tab `tabIndex` (1-based) of TabStrip1 as a click would.
    void ClickTab(int tabIndex) const;
    void Tick(int index) const { SendMessageW(Control(Check1Id(index)), BM_SETCHECK, BST_CHECKED, 0); }

private:
    std::unique_ptr<TalmoranWindow> window_;
};

// Moves `window` to a screen of `dpi`, as the system does, at the place
// suggested, and paints it; returns that suggested rectangle.
RECT ChangeDpi(HWND window, UINT dpi, POINT at = {0, 0});

// A control's rectangle in `window`'s client coordinates (its container's
// when none is given).
[[nodiscard]] RECT RectIn(HWND control, HWND window = nullptr);

// Every message box of the test process, pressed as soon as it shows.
[[nodiscard]] testkit::BoxPresser& Boxes();

} // namespace talmoran::test
