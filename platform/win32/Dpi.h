#pragma once
// The DPI a window is drawn at, and the sizes that follow from it. The
// functions that answer exactly are newer than the oldest system the program
// supports (Windows 7): they are looked up at run time, so that the exe still
// starts there, with an older answer as the fallback.

#include <windows.h>

#include "platform/Twips.h"

namespace talmoran::win32 {

// The DPI a window is drawn at: the window's own (Windows 10 1607), else its
// monitor's (Windows 8.1), else the system's.
[[nodiscard]] UINT DpiOf(HWND window);

// The DPI of the primary monitor, where the window is created: before it
// exists, the DPI it will be drawn at.
[[nodiscard]] UINT PrimaryMonitorDpi();

// The system DPI, which GetSystemMetrics and the screen DC are scaled for.
[[nodiscard]] UINT SystemDpi();

// A system metric (SM_CXICON, ...) as it is at `dpi`.
[[nodiscard]] int SystemMetricAt(int metric, UINT dpi);

// The primary screen's size in twips at `dpi`.
[[nodiscard]] ScreenSize PrimaryScreenInTwips(UINT dpi);

} // namespace talmoran::win32
