// A DLL to plant beside an exe under a system DLL's name. When any process
// loads it, it leaves "<its own path>.loaded" behind and refuses to stay.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(self, path, MAX_PATH);
        const std::wstring marker = std::wstring(path) + L".loaded";
        HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
        return FALSE; // never runs in a process that trusted it
    }
    return TRUE;
}
