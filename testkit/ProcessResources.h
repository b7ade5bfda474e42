#pragma once
// What this process holds, for the leak test and the soak benchmark: GDI
// objects, windows and kernel handles, counted by hand: Wine 8 answers
// GetGuiResources and GetProcessHandleCount with 0.

#include <windows.h>

namespace talmoran::testkit {

struct ProcessResources {
    DWORD gdiObjects;
    DWORD windows;
    DWORD handles;
};

[[nodiscard]] ProcessResources MeasureProcessResources();

} // namespace talmoran::testkit
