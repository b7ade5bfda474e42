#pragma once
// A process's windows, and this thread's messages delivered: what the window
// tests, the box presser and the benchmarks all need.

#include <windows.h>

#include <vector>

namespace talmoran::testkit {

// The top-level windows of `process`, from the top of the z-order down.
[[nodiscard]] std::vector<HWND> WindowsOf(DWORD process);

// Delivers every message waiting for this thread, through `dialog`'s dialog
// manager when given one, as the program's own loop does. A WM_QUIT posted by
// a window that closed ends no loop of the test process.
void Pump(HWND dialog = nullptr);

} // namespace talmoran::testkit
