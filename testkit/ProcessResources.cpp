#include "testkit/ProcessResources.h"

#include "testkit/Windows.h"

namespace talmoran::testkit {
namespace {

DWORD CountGdiObjects()
{
    // Wine accepts a GDI handle with a zero generation word as "any
    // generation", so probing every index finds every live object.
    DWORD count = 0;
    for (UINT_PTR index = 0x20; index < 0x10000; ++index) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    }
    return count;
}

DWORD CountWindows()
{
    DWORD count = 0;
    for (HWND window : WindowsOf(GetCurrentProcessId())) {
        ++count;
        EnumChildWindows(
            window, [](HWND, LPARAM p) -> BOOL { return ++*reinterpret_cast<DWORD*>(p), TRUE; },
            reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

DWORD CountHandles()
{
    DWORD count = 0;
    DWORD flags = 0;
    for (UINT_PTR value = 4; value < 0x40000; value += 4) {
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE ? 1 : 0;
    }
    return count;
}

} // namespace

ProcessResources MeasureProcessResources()
{
    return {CountGdiObjects(), CountWindows(), CountHandles()};
}

} // namespace talmoran::testkit
