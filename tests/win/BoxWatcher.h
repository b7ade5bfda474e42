#pragma once
// Finds a real message box (a #32770 dialog) of this process from another
// thread, reads it as a user would see it, and presses its first button.

#include <windows.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

namespace talmoran::test {

struct SeenBox {
    bool found = false;
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;
    HWND owner = nullptr;
    bool ownerDisabled = false;
};

// A visible message box of `process`, or null.
[[nodiscard]] HWND FindBox(DWORD process);
[[nodiscard]] SeenBox ReadBox(HWND box);

// Waits up to `timeout` for a visible message box of this process, reads it
// and dismisses it with its first button.
SeenBox ReadAndDismissBox(std::chrono::milliseconds timeout = std::chrono::seconds(60));

// The same on a thread of its own, for a box the calling thread shows.
inline std::future<SeenBox> WatchForBox()
{
    return std::async(std::launch::async, [] { return ReadAndDismissBox(); });
}

} // namespace talmoran::test
