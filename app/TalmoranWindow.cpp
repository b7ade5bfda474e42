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
#include "platform/win32/Win32WindowGeometry.h"
#include "policy/PolicyCommands.h"
#include "res/resource.h"

namespace talmoran {
namespace {

constexpr const wchar_t* kWindowClassName = L"Talmoran";
// Fixed single border with system menu and close box: no resizing, no
// minimize or maximize box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kRuntimeErrorExitCode = 1;

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TALMORAN));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TALMORAN), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kWindowClassName;
    RegisterClassExW(&windowClass);
}

// The layout's client area as an outer rectangle in pixels; the load step
// replaces it before the window is first shown.
RECT LayoutOuterRect(UINT dpi)
{
    const TwipsRect& client = kLayoutClientArea;
    RECT r{TwipsToPixels(client.left, dpi), TwipsToPixels(client.top, dpi),
           TwipsToPixels(client.left + client.width, dpi), TwipsToPixels(client.top + client.height, dpi)};
    AdjustWindowRectEx(&r, kWindowStyle, FALSE, 0);
    return r;
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
    RegisterWindowClass(instance, &TalmoranWindow::WindowProc);
    std::unique_ptr<TalmoranWindow> self(new TalmoranWindow());
    const RECT outer = LayoutOuterRect(win32::PrimaryScreenDpi());
    const std::wstring caption(kWindowCaption);
    CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClassName, caption.c_str(), kWindowStyle, outer.left, outer.top,
                    outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, self.get());
    if (self->window_ == nullptr) {
        throw RuntimeError(static_cast<std::int32_t>(GetLastError()), L"The window could not be created");
    }
    self->BuildControls(instance);
    const UINT dpi = win32::DpiOf(self->window_);
    self->ApplyFont(dpi);
    self->ApplyLayout(dpi);
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
    const win32::Win32Screen screen(win32::PrimaryScreenDpi());
    LoadTalmoran(geometry, screen, *ChoiceFrame_, *TabStrip1_, variables_.CurrentPage);
    loaded_ = true;
}

void TalmoranWindow::Show(int showCommand)
{
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(controls_.at(Check1Id(0)));
}

template <typename Handler> void TalmoranWindow::Guarded(Handler&& handler) noexcept
{
    std::wstring report;
    try {
        handler();
        return;
    } catch (const RuntimeError& error) {
        report = FormatRuntimeErrorReport(error);
    } catch (const std::exception& error) {
        report = FormatUnexpectedErrorReport(error);
    } catch (...) {
        report = L"Run-time error";
    }
    // An error no command trapped: report it and end the program.
    ReportRuntimeError(window_, report);
    exitCode_ = kRuntimeErrorExitCode;
    DestroyWindow(window_);
}

void TalmoranWindow::OnButton(Command command)
{
    RunCommand(command, {*Check1_, registry_, *messageBox_, variables_.PolicyPath, variables_.DriveMask});
}

void TalmoranWindow::OnTabClick()
{
    talmoran::OnTabClick(*ChoiceFrame_, *TabStrip1_, variables_.CurrentPage);
}

void TalmoranWindow::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyFont(dpi);
    ApplyLayout(dpi);
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK TalmoranWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TalmoranWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TalmoranWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    self->Guarded([&] { result = self->HandleMessage(message, wParam, lParam); });
    return result;
}

LRESULT TalmoranWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            if (const auto command = CommandOfButton(LOWORD(wParam))) {
                OnButton(*command);
            }
        }
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
            OnTabClick();
        }
        return 0;
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
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
        page_.Capture(controls_.at(ControlId::TabStrip1));
        InvalidateRect(window_, nullptr, TRUE);
        break;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_ACTIVATE:
        // Keep the focus where the user left it, as a dialog does.
        if (LOWORD(wParam) == WA_INACTIVE) {
            focusBeforeDeactivation_ = GetFocus();
        } else if (focusBeforeDeactivation_ != nullptr && IsChild(window_, focusBeforeDeactivation_)) {
            SetFocus(focusBeforeDeactivation_);
            return 0;
        }
        break;
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
