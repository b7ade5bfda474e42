#include "tests/win/BoxWatcher.h"

#include <thread>

namespace talmoran::test {
namespace {

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

// Presses the box's first button, as a user would, and waits until it closes.
void Dismiss(HWND box, std::chrono::steady_clock::time_point deadline)
{
    HWND first = FindWindowExW(box, nullptr, L"Button", nullptr);
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(first), BN_CLICKED), reinterpret_cast<LPARAM>(first));
    while (IsWindowVisible(box) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace

HWND FindBox(DWORD process)
{
    for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner == process && IsWindowVisible(box)) {
            return box;
        }
    }
    return nullptr;
}

SeenBox ReadBox(HWND box)
{
    SeenBox seen{true, TextOf(box), {}, {}, GetWindow(box, GW_OWNER)};
    seen.ownerDisabled = seen.owner != nullptr && IsWindowEnabled(seen.owner) == FALSE;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Button" && IsWindowVisible(child)) {
            seen.buttons.push_back(TextOf(child));
        } else if (ClassOf(child) == L"Static" && !TextOf(child).empty()) {
            seen.text = TextOf(child);
        }
    }
    return seen;
}

SeenBox ReadAndDismissBox(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (; std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
        HWND box = FindBox(GetCurrentProcessId());
        if (box == nullptr) {
            continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20)); // let it finish laying itself out
        SeenBox seen = ReadBox(box);
        Dismiss(box, deadline);
        return seen;
    }
    return {};
}

} // namespace talmoran::test
