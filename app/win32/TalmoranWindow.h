#pragma once
// The main window Talmoran: built from the layout table, loaded (sized,
// centred, pages set up), then driven by its handlers one at a time. No
// exception crosses its window procedure.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/Layout.h"
#include "app/win32/Controls.h"
#include "app/win32/PageLook.h"
#include "platform/win32/Adapters.h"
#include "policy/PolicyCommands.h"

namespace talmoran {

// The variables the window owns for its whole life.
struct WindowVariables {
    Int16 CurrentPage = 0;
    std::wstring PolicyPath;
    Int32 DriveMask = 0;
};

class TalmoranWindow {
public:
    // Creates the window, hidden, with every control of the layout.
    [[nodiscard]] static std::unique_ptr<TalmoranWindow> Create(HINSTANCE instance);
    TalmoranWindow(const TalmoranWindow&) = delete;
    TalmoranWindow& operator=(const TalmoranWindow&) = delete;
    ~TalmoranWindow();

    // The load step; raises a run-time error on failure.
    void Load();
    // Shows the window as `showCommand` asks. The focus goes to the first
    // drive box when the window is first activated, not before: a start that
    // is not activated (minimized, SW_SHOWNOACTIVATE) stays so.
    void Show(int showCommand);

    [[nodiscard]] HWND Handle() const noexcept { return window_; }
    [[nodiscard]] HWND Control(ControlId id) const;
    [[nodiscard]] const win32::LayoutFont& Font() const noexcept { return font_; }
    // The process exit code: 0, or non-zero after a reported run-time error.
    [[nodiscard]] int ExitCode() const noexcept { return exitCode_; }

private:
    TalmoranWindow() = default;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Background and colour requests; never shows a box (see DeferError).
    LRESULT HandlePaint(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    // Wraps the controls in the adapters the commands and the pages reach.
    void Adapt();
    // Places every control again, at a new DPI.
    void ApplyLayout(UINT dpi);
    void ApplyFont(UINT dpi, bool redraw);
    void Repaint() const;
    void SetIcons(UINT dpi);
    void OnButton(Command command);
    void PressFocusedButton();
    void RestoreFocus();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    template <typename Handler> void Guarded(Handler&& handler) noexcept;
    // A paint must not show a box: the box's own message loop would paint
    // the other controls, which could fail alike and stack more boxes. The
    // first error is kept and reported once, from a message posted for it.
    void DeferError(std::wstring report) noexcept;
    void ReportAndEnd(std::wstring report) noexcept;

    HWND window_ = nullptr;
    ControlMap controls_;
    win32::LayoutFont font_;
    win32::PageBackground page_;
    win32::UniqueHicon smallIcon_;
    win32::UniqueHicon largeIcon_;
    bool loaded_ = false;
    HWND focusToRestore_ = nullptr; // where the focus goes when the window gets it
    std::optional<std::wstring> deferredError_;
    bool reporting_ = false;
    int exitCode_ = 0;

    WindowVariables variables_;
    std::unique_ptr<win32::Win32CheckBoxes> Check1_;
    std::unique_ptr<win32::Win32FrameArray> ChoiceFrame_;
    std::unique_ptr<win32::Win32TabStrip> TabStrip1_;
    std::unique_ptr<win32::Win32MessageBox> messageBox_;
    win32::Win32CurrentUserRegistry registry_;
};

} // namespace talmoran
