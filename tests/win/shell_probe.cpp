// Prints what the shell makes of the Explorer policy values, from a fresh
// process (Wine's shell caches them per process):
//   NoDrives=<n> NoViewOnDrive=<n> Listed=<drive roots in My Computer>
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

namespace {

std::wstring ListedDrives()
{
    std::wstring listed;
    IShellFolder* desktop = nullptr;
    LPITEMIDLIST drives = nullptr;
    IShellFolder* computer = nullptr;
    IEnumIDList* items = nullptr;
    if (SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
        SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)) &&
        SUCCEEDED(desktop->BindToObject(drives, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&computer))) &&
        computer->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK) {
        LPITEMIDLIST item = nullptr;
        while (items->Next(1, &item, nullptr) == S_OK) {
            STRRET name{};
            wchar_t text[MAX_PATH] = {};
            if (SUCCEEDED(computer->GetDisplayNameOf(item, SHGDN_FORPARSING, &name)) &&
                SUCCEEDED(StrRetToBufW(&name, item, text, MAX_PATH)) && text[1] == L':') {
                listed += text;
                listed += L' ';
            }
            CoTaskMemFree(item);
        }
    }
    if (items)
        items->Release();
    if (computer)
        computer->Release();
    if (drives)
        CoTaskMemFree(drives);
    if (desktop)
        desktop->Release();
    return listed;
}

} // namespace

int wmain()
{
    CoInitialize(nullptr);
    const std::wstring listed = ListedDrives();
    wprintf(L"NoDrives=%lu NoViewOnDrive=%lu Listed=%ls\n", SHRestricted(REST_NODRIVES),
            SHRestricted(REST_NOVIEWONDRIVE), listed.c_str());
    CoUninitialize();
    return 0;
}
