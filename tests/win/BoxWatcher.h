#pragma once
// Finds a real message box (a #32770 dialog) of a process from another
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
    bool ownerDisabled = false;
    HWND owner = nullptr;
};

// Waits up to `timeout` for a visible message box of process `pid`, reads it
// and dismisses it with its first button.
SeenBox ReadAndDismissBox(DWORD pid, std::chrono::milliseconds timeout = std::chrono::seconds(60));

// The same on a thread of its own, for boxes shown by the calling thread.
inline std::future<SeenBox> WatchForBox(DWORD pid = GetCurrentProcessId())
{
    return std::async(std::launch::async, [pid] { return ReadAndDismissBox(pid); });
}

// Dismisses every box of `pid` until `stop` is set; counts them.
class BoxDismisser {
public:
    explicit BoxDismisser(DWORD pid = GetCurrentProcessId());
    ~BoxDismisser();
    BoxDismisser(const BoxDismisser&) = delete;
    BoxDismisser& operator=(const BoxDismisser&) = delete;
    [[nodiscard]] std::vector<SeenBox> Stop();

private:
    std::atomic<bool> stop_{false};
    std::future<std::vector<SeenBox>> worker_;
};

} // namespace talmoran::test
