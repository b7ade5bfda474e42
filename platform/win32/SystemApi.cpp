#include "platform/win32/SystemApi.h"

namespace talmoran::win32 {
namespace {

template <typename Function> Function Lookup(const wchar_t* module, const char* name) noexcept
{
    HMODULE loaded = GetModuleHandleW(module);
    return loaded == nullptr ? nullptr
                             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}

UINT ScreenDcDpi() noexcept
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

bool RestrictDllSearchToSystem32() noexcept
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto set = Lookup<SetDefaultDllDirectoriesFn>(L"kernel32.dll", "SetDefaultDllDirectories");
    return set != nullptr && set(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

UINT DpiOf(HWND window) noexcept
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpi != nullptr ? getDpi(window) : 0;
    return dpi != 0 ? dpi : ScreenDcDpi();
}

UINT PrimaryScreenDpi() noexcept
{
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpi = Lookup<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem");
    const UINT dpi = getDpi != nullptr ? getDpi() : 0;
    return dpi != 0 ? dpi : ScreenDcDpi();
}

} // namespace talmoran::win32
