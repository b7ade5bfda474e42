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
    // The page must be captured again before it is next painted (after a
    // layout, DPI or theme change). Capturing waits for that paint, so it
    // costs nothing before the window is first shown.
    void Invalidate(HWND tabStrip) noexcept;

    // For WM_CTLCOLOR*: a brush aligned so that `control` shows the part of
    // the page it lies on; null before any tab strip is known.
    HBRUSH BrushFor(HWND control, HDC dc);

    // Fills `window`'s client area as the page beneath it looks.
    void Fill(HWND window, HDC dc);

private:
    // Captures the tab control as it paints itself now, once per Invalidate.
    // False while no tab strip is known.
    bool EnsureCaptured();

    HWND tabStrip_ = nullptr;
    UniqueHbitmap image_; // declared first, so the brush goes before it
    UniqueHbrush brush_;
};

} // namespace talmoran::win32
