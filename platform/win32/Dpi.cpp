#include "platform/win32/Dpi.h"

#include "platform/win32/Handles.h"

namespace talmoran::win32 {
namespace {

template <typename Function> Function Lookup(HMODULE module, const char* name) noexcept
{
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

template <typename Function> Function User32(const char* name) noexcept
{
    return Lookup<Function>(GetModuleHandleW(L"user32.dll"), name);
}

// The effective DPI of `monitor`; 0 before Windows 8.1.
UINT MonitorDpi(HMONITOR monitor)
{
    // MDT_EFFECTIVE_DPI is 0; the header declares neither before Windows 8.1.
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    // shcore.dll (Windows 8.1), from System32 only and kept for the process's
    // life. Null where it does not exist, or where the System32-only flag is
    // not understood (Windows 7 without KB2533623, which has no shcore.dll).
    static const auto getDpi = Lookup<GetDpiForMonitorFn>(
        LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    return getDpi != nullptr && monitor != nullptr && SUCCEEDED(getDpi(monitor, 0, &x, &y)) ? y : 0;
}

} // namespace

UINT SystemDpi()
{
    const WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT PrimaryMonitorDpi()
{
    const UINT dpi = MonitorDpi(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
    return dpi != 0 ? dpi : SystemDpi();
}

UINT DpiOf(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = User32<GetDpiForWindowFn>("GetDpiForWindow");
    UINT dpi = getDpi != nullptr ? getDpi(window) : 0;
    if (dpi == 0) {
        dpi = MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    }
    return dpi != 0 ? dpi : SystemDpi();
}

int SystemMetricAt(int metric, UINT dpi)
{
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    static const auto forDpi = User32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    const int value = forDpi != nullptr ? forDpi(metric, dpi) : 0;
    if (value != 0) {
        return value;
    }
    // Before Windows 10 1607 the metrics are scaled for the system DPI.
    return MulDiv(CheckWin32(GetSystemMetrics(metric), L"GetSystemMetrics"), static_cast<int>(dpi),
                  static_cast<int>(SystemDpi()));
}

ScreenSize PrimaryScreenInTwips(UINT dpi)
{
    return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi), PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

} // namespace talmoran::win32
