// Loads a system DLL by name from the folder it was started in, as a
// program's code or a system DLL's delay-load does after start-up; with
// --hardened it first restricts the DLL search as talmoran.exe does.
#include <windows.h>

#include <cwchar>

#include "platform/win32/SystemApi.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && std::wcscmp(argv[1], L"--hardened") == 0 && !talmoran::win32::RestrictDllSearchToSystem32()) {
        return 2;
    }
    HMODULE loaded = LoadLibraryW(L"dbghelp.dll");
    return loaded != nullptr ? 0 : 1;
}
