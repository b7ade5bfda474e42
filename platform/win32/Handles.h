#pragma once
// Owners of Win32 handles, and scopes for a DC and an object selected into
// one: no path, the error path included, closes or deletes by hand, leaves a
// DC unreleased or an object selected.

#include <windows.h>

#include <utility>

#include "platform/win32/Win32Error.h"

namespace talmoran::win32 {

template <typename Handle, auto Close> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            Reset(std::exchange(other.handle_, Handle{}));
        }
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    [[nodiscard]] Handle Get() const noexcept { return handle_; }
    [[nodiscard]] explicit operator bool() const noexcept { return handle_ != Handle{}; }
    // Lets go of the handle without closing it.
    Handle Release() noexcept { return std::exchange(handle_, Handle{}); }
    [[nodiscard]] Handle* Put() noexcept
    {
        Reset();
        return &handle_;
    }
    void Reset(Handle handle = Handle{}) noexcept
    {
        if (handle_ != Handle{}) {
            Close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_{};
};

using UniqueHkey = UniqueHandle<HKEY, &RegCloseKey>;
using UniqueHfont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueHbrush = UniqueHandle<HBRUSH, &DeleteObject>;
using UniqueHbitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using UniqueHicon = UniqueHandle<HICON, &DestroyIcon>;
using UniqueMemoryDc = UniqueHandle<HDC, &DeleteDC>; // CreateCompatibleDC
using UniqueHwnd = UniqueHandle<HWND, &DestroyWindow>;
using UniqueHlocal = UniqueHandle<HLOCAL, &LocalFree>; // FORMAT_MESSAGE_ALLOCATE_BUFFER

// GetDC ... ReleaseDC. A null window means the screen.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(CheckWin32(GetDC(window), L"GetDC")) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    [[nodiscard]] HDC Get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// SelectObject ... SelectObject(previous): an object is deleted only once it
// is no longer selected.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object))
    {
        if (previous_ == nullptr || previous_ == HGDI_ERROR) {
            throw Win32Error(ERROR_INVALID_HANDLE, L"SelectObject");
        }
    }
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace talmoran::win32
