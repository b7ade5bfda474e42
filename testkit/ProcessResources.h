#pragma once
// What this process holds, for the leak test and the soak benchmark: GDI
// objects, windows, kernel handles and committed private memory, counted by
// hand: Wine 8 answers GetGuiResources, GetProcessHandleCount and
// PrivateUsage with 0.

#include <windows.h>

namespace talmoran::testkit {

struct ProcessResources {
    DWORD gdiObjects;
    DWORD windows;
    DWORD handles;
    SIZE_T privateBytes;
};

[[nodiscard]] ProcessResources MeasureProcessResources();

} // namespace talmoran::testkit
