#pragma once
// Owners of a DC and of an object selected into one, so that no path, the
// error path included, leaves a DC unreleased or an object selected.

#include <windows.h>

#include <utility>

#include "platform/win32/Win32Error.h"

namespace talmoran::win32 {

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

// CreateCompatibleDC ... DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC like) : dc_(CheckWin32(CreateCompatibleDC(like), L"CreateCompatibleDC")) {}
    ~MemoryDc() { DeleteDC(dc_); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    [[nodiscard]] HDC Get() const noexcept { return dc_; }

private:
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
