#pragma once
// The window's font: "Fixedsys" 9 point where the system has it at this DPI,
// otherwise a fixed-pitch font with about the same cell (8 pixels wide at 96
// DPI), so that every caption fits and each note keeps its two lines.

#include <windows.h>

#include <string>

#include "platform/win32/UniqueHandle.h"

namespace talmoran::win32 {

struct LayoutFont {
    UniqueHfont font;
    std::wstring face;   // as the system reports it, not as requested
    LONG cellWidth = 0;  // average character width in pixels
    LONG cellHeight = 0; // in pixels
};

[[nodiscard]] LayoutFont CreateLayoutFont(UINT dpi);

} // namespace talmoran::win32
