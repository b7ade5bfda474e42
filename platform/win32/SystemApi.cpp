#include "platform/win32/SystemApi.h"

#include "platform/win32/GdiScopes.h"

namespace talmoran::win32 {
namespace {

template <typename Function> Function Lookup(const wchar_t* module, const char* name) noexcept
{
    HMODULE loaded = GetModuleHandleW(module);
    return loaded == nullptr ? nullptr
                             : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}

UINT ScreenDcDpi()
{
    const WindowDc screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

bool RestrictDllSearchToSystem32() noexcept
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto set = Lookup<SetDefaultDllDirectoriesFn>(L"kernel32.dll", "SetDefaultDllDirectories");
    return set != nullptr && set(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

UINT DpiOf(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = getDpi != nullptr ? getDpi(window) : 0;
    return dpi != 0 ? dpi : ScreenDcDpi();
}

UINT PrimaryScreenDpi()
{
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpi = Lookup<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem");
    const UINT dpi = getDpi != nullptr ? getDpi() : 0;
    return dpi != 0 ? dpi : ScreenDcDpi();
}

RECT OuterRectForClient(RECT client, DWORD style, DWORD exStyle, UINT dpi)
{
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = Lookup<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (adjustForDpi != nullptr) {
        CheckWin32(adjustForDpi(&client, style, FALSE, exStyle, dpi), L"AdjustWindowRectExForDpi");
    } else {
        CheckWin32(AdjustWindowRectEx(&client, style, FALSE, exStyle), L"AdjustWindowRectEx");
    }
    return client;
}

} // namespace talmoran::win32
