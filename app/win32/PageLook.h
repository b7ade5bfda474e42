#pragma once
// The window's look at its DPI: its font, the tab strip's page as a brush
// with the texts on it in the system's colours, and its icons.
//
// The font is "Fixedsys" 9 point where the system has it at this DPI,
// otherwise the first of a few scalable fixed-pitch faces that has about the
// same cell (8 pixels wide at 96 DPI), so that every caption fits and each
// note keeps its two lines; failing those, whatever face the system gives
// when asked for a fixed-pitch font of that cell.
//
// Controls lying on the page paint their background with the page brush,
// aligned to the tab strip, so that with visual styles on they blend into the
// themed page instead of showing grey or white rectangles; without styles it
// is plain button face.

#include <windows.h>

#include "platform/win32/Handles.h"

namespace talmoran {

[[nodiscard]] win32::UniqueHfont CreateLayoutFont(UINT dpi);

class PageBackground {
public:
    // The page must be captured again before it is next painted (after a
    // layout, DPI or theme change). Capturing waits for that paint, so it
    // costs nothing before the window is first shown.
    void Invalidate(HWND tabStrip) noexcept;

    // For WM_CTLCOLOR*: `dc` set to draw text in the system colour
    // `textColour` (COLOR_...), and a brush aligned so that `control` shows
    // the part of the page it lies on; null while no tab strip is known
    // (before one is, and while the page is being captured).
    HBRUSH BrushFor(HWND control, HDC dc, int textColour);

    // Fills `window`'s client area as the page beneath it looks.
    void Fill(HWND window, HDC dc);

private:
    // Captures the tab control as it paints itself now, once per Invalidate.
    // False while no tab strip is known.
    bool EnsureCaptured();

    HWND tabStrip_ = nullptr;
    win32::UniqueHbitmap image_; // declared first, so the brush goes before it
    win32::UniqueHbrush brush_;
};

// The window's small and large icons, loaded at its DPI from the one
// 256 x 256 image.
class WindowIcons {
public:
    // Both icons at `dpi`, for the window class: a window at that DPI then
    // needs none of its own, and setting them cost start-up time. They last
    // as long as the class, the process's life.
    static void LoadForClass(WNDCLASSEXW& windowClass, UINT dpi);

    // Gives `window` both icons at `dpi`; the previous ones go only once the
    // window no longer uses them.
    void Set(HWND window, UINT dpi);

private:
    win32::UniqueHicon small_;
    win32::UniqueHicon large_;
};

} // namespace talmoran
