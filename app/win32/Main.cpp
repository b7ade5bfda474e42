// Start-up: harden DLL loading, initialise the common controls, create the
// window Talmoran, load it, show it and run its events until it is closed.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "app/win32/TalmoranWindow.h"
#include "platform/RuntimeError.h"
#include "platform/win32/RunTimeLookups.h"
#include "platform/win32/Win32Error.h"

namespace {

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
        throw talmoran::win32::LastWin32Error(L"GetMessageW");
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine: none is read*/, int showCommand)
{
    talmoran::win32::RestrictDllSearchToSystem32();
    try {
        const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
        talmoran::win32::CheckWin32(InitCommonControlsEx(&controls), L"InitCommonControlsEx");
        auto window = talmoran::TalmoranWindow::Create(instance);
        window->Load();
        window->Show(showCommand);
        const int exitCode = RunMessageLoop(window->Handle());
        return exitCode != 0 ? exitCode : window->ExitCode();
    } catch (...) {
        talmoran::win32::ReportRuntimeError(nullptr, talmoran::CurrentErrorReport());
    }
    return 1;
}

// libstdc++'s default terminate handler prints the demangled type of an
// uncaught exception to a console this GUI program does not have, and links
// a 45 KB demangler to do it. No exception escapes a handler of ours, so a
// plain abort is all the program needs should one ever reach terminate.
namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx
