#pragma once
// Win32 failures as the program's run-time errors, carrying the Win32 code.

#include <windows.h>

#include "platform/RuntimeError.h"

namespace talmoran::win32 {

// `call` names the function that failed; it follows the system's text.
[[nodiscard]] RuntimeError Win32Error(DWORD code, const wchar_t* call = nullptr);
[[nodiscard]] RuntimeError LastWin32Error(const wchar_t* call = nullptr);

// Returns `result`, or raises the last Win32 error when it is null or zero.
template <typename T> T CheckWin32(T result, const wchar_t* call)
{
    if (!result) {
        throw LastWin32Error(call);
    }
    return result;
}

} // namespace talmoran::win32
