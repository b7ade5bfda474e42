// Start-up: harden DLL loading, then run the program: the window Talmoran,
// created, loaded and shown, with its events delivered until it is closed.
#include <windows.h>

#include <cstdlib>

#include "app/win32/TalmoranWindow.h"

namespace {

// Loads DLLs from System32 only, so that a DLL planted beside the exe (in a
// Downloads folder, say) is never picked up. Looked up: Windows 7 has the
// function only with update KB2533623, and runs with the usual search order
// without it.
void RestrictDllSearchToSystem32() noexcept
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set != nullptr) {
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine: none is read*/, int showCommand)
{
    RestrictDllSearchToSystem32();
    return talmoran::TalmoranWindow::Run(instance, showCommand);
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
