#pragma once
// Ownership of Win32 handles: one small template instead of CloseHandle,
// RegCloseKey or DeleteObject by hand in the middle of logic.

#include <windows.h>

#include <utility>

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
using UniqueHandleObject = UniqueHandle<HANDLE, &CloseHandle>;
using UniqueHfont = UniqueHandle<HFONT, &DeleteObject>;
using UniqueHbrush = UniqueHandle<HBRUSH, &DeleteObject>;
using UniqueHbitmap = UniqueHandle<HBITMAP, &DeleteObject>;
using UniqueHicon = UniqueHandle<HICON, &DestroyIcon>;

} // namespace talmoran::win32
