// Reads talmoran.exe's window from another process for the keyboard sweep:
// one line on stdin, one answer on stdout.
//   state -> focus=<id> tab=<selected tab, from 1> box=<text of its message
//            box, or -> NoViewOnDrive=<n|absent> NoDrives=<n|absent>
//            controls=<id>:<visible><enabled>@<left>,<top>,<right>,<bottom>;...
//   reset -> deletes the policy key; answers "ok"
#include <windows.h>
#include <commctrl.h>

#include <iostream>
#include <string>

#include "tests/win/BoxWatcher.h"
#include "tests/win/PrefixRegistry.h"

namespace {

using namespace talmoran::test;

std::string Narrow(const std::wstring& text)
{
    std::string ascii;
    for (const wchar_t c : text) {
        ascii += c >= L' ' && c < 127 ? static_cast<char>(c) : '_';
    }
    return ascii;
}

// The prompt of a visible message box of `process`, or "-".
std::string BoxText(DWORD process)
{
    HWND box = FindBox(process);
    return box == nullptr ? "-" : Narrow(ReadBox(box).text);
}

// A REG_DWORD policy value in decimal, or "absent" (a value of another type too).
std::string PolicyValue(const wchar_t* name)
{
    const auto value = ReadPolicyValue(name);
    return value && value->type == REG_DWORD ? std::to_string(value->dword) : "absent";
}

BOOL CALLBACK Describe(HWND control, LPARAM out)
{
    RECT r{};
    GetWindowRect(control, &r);
    *reinterpret_cast<std::string*>(out) +=
        std::to_string(GetDlgCtrlID(control)) + ":" + (IsWindowVisible(control) ? "1" : "0") +
        (IsWindowEnabled(control) ? "1" : "0") + "@" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
        std::to_string(r.right) + "," + std::to_string(r.bottom) + ";";
    return TRUE;
}

std::string State()
{
    HWND window = FindWindowW(L"Talmoran", nullptr);
    DWORD process = 0;
    GUITHREADINFO gui{sizeof gui};
    GetGUIThreadInfo(window == nullptr ? 0 : GetWindowThreadProcessId(window, &process), &gui);
    std::string controls;
    if (window != nullptr) {
        EnumChildWindows(window, Describe, reinterpret_cast<LPARAM>(&controls));
    }
    const LRESULT tab = window == nullptr ? -1 : SendDlgItemMessageW(window, 108, TCM_GETCURSEL, 0, 0);
    return "focus=" + (gui.hwndFocus == nullptr ? "none" : std::to_string(GetDlgCtrlID(gui.hwndFocus))) +
           " tab=" + std::to_string(tab + 1) + " box=" + (window == nullptr ? "-" : BoxText(process)) +
           " NoViewOnDrive=" + PolicyValue(L"NoViewOnDrive") + " NoDrives=" + PolicyValue(L"NoDrives") +
           " controls=" + controls;
}

} // namespace

int wmain()
{
    for (std::string command; std::getline(std::cin, command);) {
        if (command.rfind("state", 0) == 0) {
            std::cout << State() << std::endl;
        } else {
            DeletePolicyKey();
            std::cout << "ok" << std::endl;
        }
    }
    return 0;
}
