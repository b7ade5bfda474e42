#pragma once
// The main window Talmoran: created from the layout table at its loaded size
// and place, loaded (pages set up), shown, then driven by its handlers one at
// a time until it is closed. No exception crosses its window procedure.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/Layout.h"
#include "app/win32/Controls.h"
#include "app/win32/DialogFocus.h"
#include "app/win32/ErrorBoundary.h"
#include "app/win32/PageLook.h"
#include "app/win32/TabPages.h"
#include "platform/win32/Adapters.h"
#include "platform/win32/Handles.h"

namespace talmoran {

// The variables the window owns for its whole life.
struct WindowVariables {
    Int16 CurrentPage = 0;
    std::wstring PolicyPath;
    Int32 DriveMask = 0;
};

class TalmoranWindow {
public:
    // The program: creates, loads and shows the window, delivers its events
    // until it is closed and returns the process exit code, non-zero after a
    // reported run-time error.
    [[nodiscard]] static int Run(HINSTANCE instance, int showCommand) noexcept;

    // Creates the window, hidden, sized and centred, with every control of the
    // layout.
    [[nodiscard]] static std::unique_ptr<TalmoranWindow> Create(HINSTANCE instance);
    TalmoranWindow(const TalmoranWindow&) = delete;
    TalmoranWindow& operator=(const TalmoranWindow&) = delete;
    ~TalmoranWindow();

    // The load step, after creation has sized and centred the window: the tab
    // pages. Raises a run-time error on failure.
    void Load();
    // Shows the window as `showCommand` asks. The focus goes to the first
    // drive box when the window is first activated, not before: a start that
    // is not activated (minimized, SW_SHOWNOACTIVATE) stays so.
    void Show(int showCommand);

    [[nodiscard]] HWND Handle() const noexcept { return window_.Get(); }
    [[nodiscard]] HWND Control(ControlId id) const;
    [[nodiscard]] int ExitCode() const noexcept { return errors_.ExitCode(); }

private:
    TalmoranWindow() = default;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Background and colour requests, which never show a box (see
    // ErrorBoundary::Defer); nothing for any other message.
    std::optional<LRESULT> PaintBackground(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // The system colour (COLOR_...) that `control` draws its text in.
    [[nodiscard]] static int TextColourOf(HWND control);

    // The window system keeps a window within its tracking sizes
    // (WM_GETMINMAXINFO): one larger than the whole desktop is made smaller.
    // It is then centred on the size kept; otherwise this leaves it where it
    // was created.
    void CentreOnKeptSize(ScreenSize screen, UINT dpi, PixelSize asked);
    // Wraps the controls as the commands (the seam's adapters) and the pages
    // (ChoiceFrame, TabStrip1) reach them.
    void Adapt();
    // Places every control again at a new DPI, the pages still on one place.
    void ApplyLayout(UINT dpi);
    // Gives every control the layout font at `dpi`, without redrawing them.
    void ApplyFont(UINT dpi);
    void Repaint() const;
    void OnButton(Command command);
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    ControlMap controls_;
    win32::UniqueHfont font_;
    PageBackground page_;
    WindowIcons icons_;
    DialogFocus focus_;
    ErrorBoundary errors_;
    bool loaded_ = false;

    WindowVariables variables_;
    win32::Win32CheckBoxes Check1_;
    FrameArray ChoiceFrame_;
    TabStrip TabStrip1_;
    win32::Win32MessageBox messageBox_;
    win32::Win32CurrentUserRegistry registry_;
    // Last, so that it is destroyed first: the window and its controls go
    // before the font, icons and page brush they use. No handler of ours runs
    // meanwhile: the destructor has cleared the window's user data.
    win32::UniqueHwnd window_;
};

} // namespace talmoran
