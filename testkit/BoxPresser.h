#pragma once
// Presses the first button of every message box a process shows, as soon as
// it shows, from a thread of its own, and keeps what each box said: the one
// box presser of the window tests and the soak benchmark. A box that nobody
// reads is pressed all the same, so a fault that raises one fails a test at
// once instead of hanging it.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace talmoran::testkit {

struct SeenBox {
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;
    HWND owner = nullptr;
    bool ownerDisabled = false;
};

[[nodiscard]] std::wstring TextOf(HWND window);

class BoxPresser {
public:
    explicit BoxPresser(DWORD process = GetCurrentProcessId());
    ~BoxPresser();
    BoxPresser(const BoxPresser&) = delete;
    BoxPresser& operator=(const BoxPresser&) = delete;

    // The next box not yet taken, waiting up to `timeout` for one.
    [[nodiscard]] std::optional<SeenBox> Next(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Every box not yet taken.
    [[nodiscard]] std::vector<SeenBox> Take();

private:
    void Watch(DWORD process);

    std::mutex mutex_;
    std::deque<SeenBox> seen_;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
};

} // namespace talmoran::testkit
