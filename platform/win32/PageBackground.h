#pragma once
// The tab strip's page area as a brush. Controls lying on the page paint
// their background with it, aligned to the tab strip, so that with visual
// styles on they blend into the themed page instead of showing grey or
// white rectangles; without styles it is plain button face.

#include <windows.h>

#include "platform/win32/UniqueHandle.h"

namespace talmoran::win32 {

class PageBackground {
public:
    // Captures the tab control as it paints itself now (after a layout,
    // DPI or theme change).
    void Capture(HWND tabStrip);

    // For WM_CTLCOLOR*: a brush aligned so that `control` shows the part of
    // the page it lies on; null when `control` is not on the page.
    HBRUSH BrushFor(HWND control, HDC dc) const;

    // Fills `window`'s client area as the page beneath it looks.
    void Fill(HWND window, HDC dc) const;

private:
    HWND tabStrip_ = nullptr;
    UniqueHbrush brush_;
};

} // namespace talmoran::win32
