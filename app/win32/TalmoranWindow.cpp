#include "app/win32/TalmoranWindow.h"

#include <optional>
#include <utility>

#include "app/LoadStep.h"
#include "app/win32/WindowClasses.h"
#include "platform/win32/RunTimeLookups.h"
#include "platform/win32/Win32Error.h"
#include "res/resource.h"

namespace talmoran {
namespace {

constexpr const wchar_t* kWindowClassName = L"Talmoran";
// Fixed single border with system menu and close box: no resizing, no
// minimize or maximize box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;
constexpr int kRuntimeErrorExitCode = 1;

HICON LoadIconOfSize(HINSTANCE instance, int width, int height)
{
    return static_cast<HICON>(win32::CheckWin32(
        LoadImageW(instance, MAKEINTRESOURCEW(IDI_TALMORAN), IMAGE_ICON, width, height, 0), L"LoadImageW"));
}

// Messages that paint or pick colours for painting.
bool IsPaintMessage(UINT message)
{
    return message == WM_ERASEBKGND || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN ||
           message == win32::kPaintFrameBackground;
}

// Posted to make sure a message that is not a paint follows a failed paint.
constexpr UINT kReportDeferredError = WM_APP + 2;

// The layout's client area as an outer rectangle in pixels; the load step
// replaces it before the window is first shown.
RECT LayoutOuterRect(UINT dpi)
{
    const TwipsRect& client = kLayoutClientArea;
    const RECT r{TwipsToPixels(client.left, dpi), TwipsToPixels(client.top, dpi),
                 TwipsToPixels(client.left + client.width, dpi), TwipsToPixels(client.top + client.height, dpi)};
    return win32::OuterRectForClient(r, kWindowStyle, kWindowExStyle, dpi);
}

// A control of `window` that a key or a click can reach now.
bool IsReachableChild(HWND window, HWND control)
{
    return control != nullptr && IsChild(window, control) != FALSE && IsWindowVisible(control) != FALSE &&
           IsWindowEnabled(control) != FALSE;
}

// The command behind a button, if the control is one of the four.
std::optional<Command> CommandOfButton(WORD id)
{
    switch (static_cast<ControlId>(id)) {
    case ControlId::Lock: return Command::Lock;
    case ControlId::Unlock: return Command::Unlock;
    case ControlId::Hide: return Command::Hide;
    case ControlId::Unhide: return Command::Unhide;
    default: return std::nullopt;
    }
}

} // namespace

std::unique_ptr<TalmoranWindow> TalmoranWindow::Create(HINSTANCE instance)
{
    // Once per process. The class has no icons: the window sets both at its
    // own DPI before it is shown (SetIcons); a third load, at the system's
    // DPI, cost start-up time.
    static const bool registered =
        (win32::RegisterWindowClass(instance, kWindowClassName, &TalmoranWindow::WindowProc), true);
    (void)registered;
    std::unique_ptr<TalmoranWindow> self(new TalmoranWindow());
    const RECT outer = LayoutOuterRect(win32::PrimaryScreenDpi());
    const std::wstring caption(kWindowCaption);
    HWND window =
        CreateWindowExW(kWindowExStyle, kWindowClassName, caption.c_str(), kWindowStyle, outer.left, outer.top,
                        outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, self.get());
    if (window == nullptr || self->window_ == nullptr) {
        throw win32::LastWin32Error(L"CreateWindowExW");
    }
    const UINT dpi = win32::DpiOf(self->window_);
    self->SetIcons(dpi);
    self->controls_ = CreateControls(self->window_, instance, dpi);
    self->Adapt();
    self->focusToRestore_ = self->controls_.at(Check1Id(0));
    // Still hidden: nothing to redraw yet.
    self->ApplyFont(dpi, false);
    self->page_.Invalidate(self->controls_.at(ControlId::TabStrip1));
    return self;
}

TalmoranWindow::~TalmoranWindow()
{
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

HWND TalmoranWindow::Control(ControlId id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void TalmoranWindow::Load()
{
    win32::Win32WindowGeometry geometry(window_);
    // The screen in twips at the window's own DPI, as the window's size is:
    // centring stays right where the system DPI differs.
    LoadTalmoran(geometry, win32::PrimaryScreenInTwips(win32::DpiOf(window_)), *ChoiceFrame_, *TabStrip1_,
                 variables_.CurrentPage);
    loaded_ = true;
}

void TalmoranWindow::Adapt()
{
    std::vector<HWND> boxes;
    for (int i = 0; i < kCheckBoxCount; ++i) {
        boxes.push_back(controls_.at(Check1Id(i)));
    }
    Check1_ = std::make_unique<win32::Win32CheckBoxes>(std::move(boxes));
    ChoiceFrame_ = std::make_unique<win32::Win32FrameArray>(
        std::vector<HWND>{controls_.at(ControlId::ChoiceFrame0), controls_.at(ControlId::ChoiceFrame1)});
    TabStrip1_ = std::make_unique<win32::Win32TabStrip>(controls_.at(ControlId::TabStrip1));
    messageBox_ = std::make_unique<win32::Win32MessageBox>(window_);
}

void TalmoranWindow::ApplyLayout(UINT dpi)
{
    PlaceControls(controls_, dpi);
    if (loaded_) {
        StackFramesOnFirst(*ChoiceFrame_, false); // the pages keep sharing one place
    }
    page_.Invalidate(controls_.at(ControlId::TabStrip1));
}

void TalmoranWindow::ApplyFont(UINT dpi, bool redraw)
{
    win32::LayoutFont previous = std::move(font_);
    font_ = win32::CreateLayoutFont(dpi);
    SetControlsFont(controls_, font_.font.Get(), redraw);
    // `previous` is released here, only after every child has the new font.
}

void TalmoranWindow::SetIcons(UINT dpi)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    win32::UniqueHicon small(
        LoadIconOfSize(instance, win32::SystemMetricAt(SM_CXSMICON, dpi), win32::SystemMetricAt(SM_CYSMICON, dpi)));
    win32::UniqueHicon large(
        LoadIconOfSize(instance, win32::SystemMetricAt(SM_CXICON, dpi), win32::SystemMetricAt(SM_CYICON, dpi)));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.Get()));
    // The window no longer uses the previous icons: they go now.
    smallIcon_ = std::move(small);
    largeIcon_ = std::move(large);
}

void TalmoranWindow::Show(int showCommand)
{
    // No SetFocus here: it would activate the window. Activation gives the
    // window the focus, and WM_SETFOCUS hands it to box A.
    ShowWindow(window_, showCommand);
    win32::CheckWin32(UpdateWindow(window_), L"UpdateWindow");
}

template <typename Handler> void TalmoranWindow::Guarded(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        // An error no command trapped: report it and end the program.
        ReportAndEnd(CurrentErrorReport());
    }
}

void TalmoranWindow::DeferError(std::wstring report) noexcept
{
    if (deferredError_ || reporting_) {
        return; // one report is enough
    }
    deferredError_ = std::move(report);
    if (PostMessageW(window_, kReportDeferredError, 0, 0) == FALSE) {
        // Not even a message can be queued: end without the box, still as a
        // failure.
        PostQuitMessage(kRuntimeErrorExitCode);
    }
}

void TalmoranWindow::ReportAndEnd(std::wstring report) noexcept
{
    if (reporting_) {
        return; // the program is already ending over an earlier error
    }
    reporting_ = true;
    deferredError_.reset();
    win32::ReportRuntimeError(window_, report);
    exitCode_ = kRuntimeErrorExitCode;
    DestroyWindow(window_);
}

void TalmoranWindow::OnButton(Command command)
{
    RunCommand(command, {*Check1_, registry_, *messageBox_, variables_.PolicyPath, variables_.DriveMask});
}

void TalmoranWindow::PressFocusedButton()
{
    // The dialog manager sends IDOK on Enter when no button is the default:
    // as in a dialog, Enter then presses the push button that has the focus.
    HWND focus = GetFocus();
    if (!IsReachableChild(window_, focus)) {
        return;
    }
    if (const auto command = CommandOfButton(static_cast<WORD>(GetDlgCtrlID(focus)))) {
        OnButton(*command);
    }
}

void TalmoranWindow::RestoreFocus()
{
    // The window itself takes no keys: the focus goes to the control that
    // last had it, or to the first one in tab order if that one is gone from
    // view.
    HWND target =
        IsReachableChild(window_, focusToRestore_) ? focusToRestore_ : GetNextDlgTabItem(window_, nullptr, FALSE);
    if (target != nullptr) {
        SetFocus(target);
    }
}

void TalmoranWindow::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    win32::CheckWin32(SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE),
                      L"SetWindowPos");
    SetIcons(dpi);
    ApplyFont(dpi, true);
    ApplyLayout(dpi);
    Repaint();
}

void TalmoranWindow::Repaint() const
{
    // The children too: they paint their backgrounds with the page brush.
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK TalmoranWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TalmoranWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        // The previous value is 0 as well: only a set error code tells a failure.
        SetLastError(ERROR_SUCCESS);
        if (SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self)) == 0 &&
            GetLastError() != ERROR_SUCCESS) {
            return FALSE; // CreateWindowExW then fails, and Create reports it
        }
        self->window_ = window;
    }
    auto* self = reinterpret_cast<TalmoranWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (IsPaintMessage(message)) {
        return self->HandlePaint(message, wParam, lParam);
    }
    LRESULT result = 0;
    self->Guarded([&] { result = self->HandleMessage(message, wParam, lParam); });
    return result;
}

LRESULT TalmoranWindow::HandlePaint(UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    try {
        switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (HBRUSH brush = page_.BrushFor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case win32::kPaintFrameBackground:
            page_.Fill(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_ERASEBKGND: page_.Fill(window_, reinterpret_cast<HDC>(wParam)); return TRUE;
        default: break;
        }
    } catch (...) {
        DeferError(CurrentErrorReport());
    }
    // The system's own: the button face, for this paint and each one after
    // it until the error is reported.
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT TalmoranWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            if (const auto command = CommandOfButton(LOWORD(wParam))) {
                OnButton(*command);
            } else if (LOWORD(wParam) == IDOK) {
                PressFocusedButton();
            }
        }
        return 0;
    case WM_NOTIFY:
        if (const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            header->code == TCN_SELCHANGE && header->hwndFrom == controls_.at(ControlId::TabStrip1)) {
            ShowSelectedPage(*ChoiceFrame_, *TabStrip1_, variables_.CurrentPage);
        }
        return 0;
    case WM_SYSCOLORCHANGE:
        // Only top-level windows get it; common controls learn of it from
        // their parent.
        for (const auto& [id, control] : controls_) {
            SendMessageW(control, WM_SYSCOLORCHANGE, wParam, lParam);
        }
        [[fallthrough]];
    case WM_THEMECHANGED:
        page_.Invalidate(controls_.at(ControlId::TabStrip1));
        Repaint();
        break;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_ACTIVATE:
        // Keep the focus where the user left it, as a dialog does. On
        // activation DefWindowProc gives the window the focus, which
        // WM_SETFOCUS hands on.
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (HWND focus = GetFocus(); focus != nullptr && IsChild(window_, focus) != FALSE) {
                focusToRestore_ = focus;
            }
        }
        break;
    case WM_SETFOCUS: RestoreFocus(); return 0;
    case kReportDeferredError:
        if (deferredError_) {
            ReportAndEnd(*deferredError_);
        }
        return 0;
    case WM_DESTROY:
        // The unload step: nothing is saved, the program ends.
        PostQuitMessage(exitCode_);
        return 0;
    case WM_NCDESTROY: {
        HWND closing = std::exchange(window_, nullptr);
        return DefWindowProcW(closing, message, wParam, lParam);
    }
    default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace talmoran
