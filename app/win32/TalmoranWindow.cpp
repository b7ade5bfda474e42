#include "app/win32/TalmoranWindow.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "app/LoadStep.h"
#include "app/win32/WindowClasses.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Win32Error.h"

namespace talmoran {
namespace {

// Fixed single border with system menu and close box: no resizing, no
// minimize or maximize box.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

// The command behind a button, if the control is one of the four.
std::optional<Command> CommandOfButton(int id)
{
    switch (static_cast<ControlId>(id)) {
    case ControlId::Lock: return Command::Lock;
    case ControlId::Unlock: return Command::Unlock;
    case ControlId::Hide: return Command::Hide;
    case ControlId::Unhide: return Command::Unhide;
    default: return std::nullopt;
    }
}

int RunMessageLoop(HWND dialog)
{
    MSG message{};
    BOOL got = FALSE;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        // Tab, Shift+Tab, space and the access keys work as in a dialog.
        if (IsDialogMessageW(dialog, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (got == -1) {
        // Not WM_QUIT: the loop itself failed, which must not end as success.
        throw win32::LastWin32Error(L"GetMessageW");
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int TalmoranWindow::Run(HINSTANCE instance, int showCommand) noexcept
{
    try {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
        win32::CheckWin32(InitCommonControlsEx(&controls), L"InitCommonControlsEx");
        const auto window = Create(instance);
        window->Load();
        window->Show(showCommand);
        return RunMessageLoop(window->Handle());
    } catch (...) {
        win32::ReportRuntimeError(nullptr, CurrentErrorReport());
    }
    return ErrorBoundary::kExitCode;
}

std::unique_ptr<TalmoranWindow> TalmoranWindow::Create(HINSTANCE instance)
{
    // Everything is made at the DPI of the monitor the window is created on.
    const UINT dpi = win32::PrimaryMonitorDpi();
    RegisterWindowClasses(instance, &TalmoranWindow::WindowProc, dpi);
    std::unique_ptr<TalmoranWindow> self(new TalmoranWindow());
    // Created where the load step puts it: resizing and moving a window costs
    // start-up time even while it is hidden.
    const ScreenSize screen = win32::PrimaryScreenInTwips(dpi);
    const PixelBox place = ToPixels(LoadedPlace(screen, dpi), dpi);
    const std::wstring caption(kWindowCaption);
    if (CreateWindowExW(kWindowExStyle, kWindowClassName, caption.c_str(), kWindowStyle, place.left, place.top,
                        place.width, place.height, nullptr, nullptr, instance, self.get()) == nullptr ||
        !self->window_) {
        throw win32::LastWin32Error(L"CreateWindowExW");
    }
    self->CentreOnKeptSize(screen, dpi, {place.width, place.height});
    self->controls_ = CreateControls(self->Handle(), instance, dpi);
    self->Adapt();
    self->focus_ = DialogFocus(self->controls_.at(Check1Id(0)));
    self->ApplyFont(dpi);
    self->page_.Invalidate(self->controls_.at(ControlId::TabStrip1));
    return self;
}

void TalmoranWindow::CentreOnKeptSize(ScreenSize screen, UINT dpi, PixelSize asked)
{
    RECT outer{};
    win32::CheckWin32(GetWindowRect(Handle(), &outer), L"GetWindowRect");
    const PixelSize kept{outer.right - outer.left, outer.bottom - outer.top};
    if (kept.width != asked.width || kept.height != asked.height) {
        const PixelBox place = ToPixels(LoadedPlace(screen, dpi, kept), dpi);
        win32::CheckWin32(SetWindowPos(Handle(), nullptr, place.left, place.top, 0, 0,
                                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW),
                          L"SetWindowPos");
    }
}

TalmoranWindow::~TalmoranWindow()
{
    // No handler may run for an object that is going.
    if (window_) {
        SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    }
}

HWND TalmoranWindow::Control(ControlId id) const
{
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

void TalmoranWindow::Load()
{
    SetUpTabPages(ChoiceFrame_, TabStrip1_, variables_.CurrentPage);
    loaded_ = true;
}

void TalmoranWindow::Adapt()
{
    std::vector<HWND> boxes;
    for (Int16 i = 0; i < kCheckBoxCount; ++i) {
        boxes.push_back(controls_.at(Check1Id(i)));
    }
    Check1_ = win32::Win32CheckBoxes(std::move(boxes));
    ChoiceFrame_ = FrameArray({controls_.at(ControlId::ChoiceFrame0), controls_.at(ControlId::ChoiceFrame1)});
    TabStrip1_ = TabStrip(controls_.at(ControlId::TabStrip1));
    messageBox_ = win32::Win32MessageBox(Handle());
}

void TalmoranWindow::ApplyLayout(UINT dpi)
{
    PlaceControls(controls_, dpi);
    if (loaded_) {
        StackFramesOnFirst(ChoiceFrame_, false); // the pages keep sharing one place
    }
    page_.Invalidate(controls_.at(ControlId::TabStrip1));
}

void TalmoranWindow::ApplyFont(UINT dpi)
{
    win32::UniqueHfont previous = std::move(font_);
    font_ = CreateLayoutFont(dpi);
    SetControlsFont(controls_, font_.Get());
    // `previous` is released here, only after every child has the new font.
}

void TalmoranWindow::Show(int showCommand)
{
    // No SetFocus here: it would activate the window. Activation gives the
    // window the focus, and WM_SETFOCUS hands it to box A.
    ShowWindow(Handle(), showCommand);
    win32::CheckWin32(UpdateWindow(Handle()), L"UpdateWindow");
}

void TalmoranWindow::OnButton(Command command)
{
    RunCommand(command, {Check1_, registry_, messageBox_, variables_.PolicyPath, variables_.DriveMask});
}

void TalmoranWindow::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    win32::CheckWin32(SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE),
                      L"SetWindowPos");
    icons_.Set(Handle(), dpi);
    ApplyFont(dpi);
    ApplyLayout(dpi);
    // A resized window keeps what it showed, invalidated only where newly
    // exposed unless its class asks otherwise; the font was set without a redraw.
    Repaint();
}

void TalmoranWindow::Repaint() const
{
    // The children too: after a DPI change, and after a theme change, which
    // the frames, painted with the page brush, do not handle themselves.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
        self->window_.Reset(window);
    }
    auto* self = reinterpret_cast<TalmoranWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (const auto painted = self->PaintBackground(message, wParam, lParam)) {
        return *painted;
    }
    LRESULT result = 0;
    self->errors_.Run(window, [&] { result = self->HandleMessage(message, wParam, lParam); });
    return result;
}

std::optional<LRESULT> TalmoranWindow::PaintBackground(UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    try {
        switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (HBRUSH brush = page_.BrushFor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                                              TextColourOf(reinterpret_cast<HWND>(lParam)))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        case kPaintFrameBackground:
            page_.Fill(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_ERASEBKGND: page_.Fill(Handle(), reinterpret_cast<HDC>(wParam)); return TRUE;
        default: return std::nullopt;
        }
    } catch (...) {
        errors_.Defer(Handle());
    }
    // The system's own: the button face, for this paint and each one after
    // it until the error is reported.
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

int TalmoranWindow::TextColourOf(HWND control)
{
    // The notes take the window text, the system's default for a static
    // control. The drive boxes ask for their colours as a static control does
    // (WM_CTLCOLORSTATIC) but take the button text, by choice: it is the
    // colour a scheme pairs with the button face they lie on, and the one the
    // push buttons on the pages show, which the system always draws in its
    // own colours whatever is set here.
    return KindOf(static_cast<ControlId>(GetDlgCtrlID(control))) == ControlKind::Note ? COLOR_WINDOWTEXT
                                                                                      : COLOR_BTNTEXT;
}

LRESULT TalmoranWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            // The dialog manager sends IDOK on Enter when no button is the
            // default: as in a dialog, Enter then presses the focused button.
            HWND pressed = LOWORD(wParam) == IDOK ? ReachableFocus(Handle()) : reinterpret_cast<HWND>(lParam);
            if (const auto command = CommandOfButton(pressed == nullptr ? 0 : GetDlgCtrlID(pressed))) {
                OnButton(*command);
            }
        }
        return 0;
    case WM_NOTIFY:
        if (const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            header->code == TCN_SELCHANGE && header->hwndFrom == controls_.at(ControlId::TabStrip1)) {
            ShowSelectedPage(ChoiceFrame_, TabStrip1_, variables_.CurrentPage);
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
    case WM_ACTIVATE: focus_.OnActivate(Handle(), wParam); break;
    case WM_SETFOCUS: focus_.Restore(Handle()); return 0;
    case kReportDeferredError: errors_.ReportDeferred(Handle()); return 0;
    case WM_DESTROY:
        // The unload step: nothing is saved, the program ends.
        PostQuitMessage(errors_.ExitCode());
        return 0;
    case WM_NCDESTROY: return DefWindowProcW(window_.Release(), message, wParam, lParam);
    default: break;
    }
    return DefWindowProcW(Handle(), message, wParam, lParam);
}

} // namespace talmoran
