#include "app/TalmoranWindow.h"

#include <commctrl.h>

#include <optional>
#include <utility>

#include "app/LoadHandler.h"
#include "app/TabPages.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "platform/win32/FrameWindow.h"
#include "platform/win32/SystemApi.h"
#include "platform/win32/Win32Error.h"
#include "platform/win32/Win32WindowGeometry.h"
#include "policy/PolicyCommands.h"
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

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure)
{
    // No class icons: the window sets both at its own DPI before it is shown
    // (SetIcons), and a third load at the system's DPI cost start-up time.
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = win32::CheckWin32(LoadCursorW(nullptr, IDC_ARROW), L"LoadCursorW");
    windowClass.hbrBackground = win32::ButtonFaceClassBackground();
    windowClass.lpszClassName = kWindowClassName;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw win32::LastWin32Error(L"RegisterClassExW");
    }
}

// Messages that paint or pick colours for painting.
bool IsPaintMessage(UINT message)
{
    return message == WM_ERASEBKGND || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN ||
           message == win32::kPaintFrameBackground;
}

// Posted to make sure a message that is not a paint follows a failed paint.
constexpr UINT kReportDeferredError = WM_APP + 2;

// The report of the exception being handled.
std::wstring CurrentErrorReport()
{
    try {
        throw;
    } catch (const RuntimeError& error) {
        return FormatRuntimeErrorReport(error);
    } catch (const std::exception& error) {
        return FormatUnexpectedErrorReport(error);
    } catch (...) {
        return L"Run-time error";
    }
}

// The layout's client area as an outer rectangle in pixels; the load step
// replaces it before the window is first shown.
RECT LayoutOuterRect(UINT dpi)
{
    const TwipsRect& client = kLayoutClientArea;
    const RECT r{TwipsToPixels(client.left, dpi), TwipsToPixels(client.top, dpi),
                 TwipsToPixels(client.left + client.width, dpi), TwipsToPixels(client.top + client.height, dpi)};
    return win32::OuterRectForClient(r, kWindowStyle, kWindowExStyle, dpi);
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

void ReportRuntimeError(HWND owner, const std::wstring& report) noexcept
{
    MessageBoxW(owner, report.c_str(), win32::kApplicationTitle, MB_OK | MB_ICONERROR);
}

std::unique_ptr<TalmoranWindow> TalmoranWindow::Create(HINSTANCE instance)
{
    // Once per process: a second registration would fail, and the class
    // already holds the icons.
    static const bool registered = (RegisterWindowClass(instance, &TalmoranWindow::WindowProc), true);
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
    self->BuildControls(instance, dpi);
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
    const win32::Win32Screen screen(win32::DpiOf(window_));
    LoadTalmoran(geometry, screen, *ChoiceFrame_, *TabStrip1_, variables_.CurrentPage);
    loaded_ = true;
}

void TalmoranWindow::SetIcons(UINT dpi)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    win32::UniqueHicon small(LoadIconOfSize(instance, win32::SystemMetricAt(SM_CXSMICON, dpi),
                                            win32::SystemMetricAt(SM_CYSMICON, dpi)));
    win32::UniqueHicon large(LoadIconOfSize(instance, win32::SystemMetricAt(SM_CXICON, dpi),
                                            win32::SystemMetricAt(SM_CYICON, dpi)));
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
    ReportRuntimeError(window_, report);
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
    if (focus == nullptr || IsChild(window_, focus) == FALSE || IsWindowEnabled(focus) == FALSE ||
        IsWindowVisible(focus) == FALSE) {
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
    HWND target = focusToRestore_;
    if (target == nullptr || IsChild(window_, target) == FALSE || IsWindowVisible(target) == FALSE ||
        IsWindowEnabled(target) == FALSE) {
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
    }
    if (target != nullptr) {
        SetFocus(target);
    }
}

void TalmoranWindow::OnTabClick()
{
    talmoran::OnTabClick(*ChoiceFrame_, *TabStrip1_, variables_.CurrentPage);
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
            OnTabClick();
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
