#pragma once
// Win32 failures as the program's run-time errors, carrying the Win32 code.

#include <windows.h>

#include "platform/RuntimeError.h"

namespace talmoran::win32 {

[[nodiscard]] RuntimeError Win32Error(DWORD code);
[[nodiscard]] RuntimeError LastWin32Error();

} // namespace talmoran::win32
