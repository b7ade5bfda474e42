#pragma once
// Presses OK on every message box of this process as soon as it shows, from a
// thread of its own, and counts them: for runs of many commands.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace talmoran::bench {

class OkPresser {
public:
    OkPresser()
        : thread_([this] {
              const DWORD pid = GetCurrentProcessId();
              while (!stop_) {
                  HWND box = nullptr;
                  while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
                      DWORD owner = 0;
                      GetWindowThreadProcessId(box, &owner);
                      if (owner == pid && IsWindowVisible(box) && PostMessageW(box, WM_COMMAND, IDOK, 0)) {
                          // Counted once it has gone: a box seen twice before it closes is one box.
                          while (IsWindow(box) && IsWindowVisible(box) && !stop_) {
                              std::this_thread::sleep_for(std::chrono::microseconds(200));
                          }
                          ++pressed_;
                      }
                  }
                  std::this_thread::sleep_for(std::chrono::microseconds(500));
              }
          })
    {
    }
    ~OkPresser() { Stop(); }
    OkPresser(const OkPresser&) = delete;
    OkPresser& operator=(const OkPresser&) = delete;

    // Stops pressing; returns how many boxes were pressed away.
    int Stop()
    {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        return pressed_;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> pressed_{0};
    std::thread thread_;
};

} // namespace talmoran::bench
