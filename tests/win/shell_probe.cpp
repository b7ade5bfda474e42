// Prints what the shell makes of the Explorer policy values, from a fresh
// process (Wine's shell caches them per process):
//   NoDrives=<n> NoViewOnDrive=<n> Listed=<drive roots in My Computer>
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

namespace {

// The drive roots that My Computer lists, as the shell enumerates it.
std::wstring ListedDrives()
{
    std::wstring listed;
    IShellFolder* desktop = nullptr;
    IShellFolder* computer = nullptr;
    IEnumIDList* items = nullptr;
    LPITEMIDLIST drives = nullptr;
    if (SUCCEEDED(SHGetDesktopFolder(&desktop)) &&
        SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives)) &&
        SUCCEEDED(desktop->BindToObject(drives, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&computer))) &&
        computer->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items) == S_OK) {
        for (LPITEMIDLIST item = nullptr; items->Next(1, &item, nullptr) == S_OK; CoTaskMemFree(item)) {
            STRRET name{};
            wchar_t text[MAX_PATH] = {};
            if (SUCCEEDED(computer->GetDisplayNameOf(item, SHGDN_FORPARSING, &name)) &&
                SUCCEEDED(StrRetToBufW(&name, item, text, MAX_PATH)) && text[1] == L':') {
                listed += text + std::wstring(L" ");
            }
        }
    }
    for (IUnknown* object :
         {static_cast<IUnknown*>(items), static_cast<IUnknown*>(computer), static_cast<IUnknown*>(desktop)}) {
        if (object != nullptr) {
            object->Release();
        }
    }
    CoTaskMemFree(drives);
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
