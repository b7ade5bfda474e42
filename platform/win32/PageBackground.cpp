#include "platform/win32/PageBackground.h"

namespace talmoran::win32 {
namespace {

// Where `window`'s client origin lies in the tab strip's client coordinates.
POINT OffsetInTabStrip(HWND window, HWND tabStrip)
{
    POINT origin{0, 0};
    MapWindowPoints(window, tabStrip, &origin, 1);
    return origin;
}

} // namespace

void PageBackground::Capture(HWND tabStrip)
{
    tabStrip_ = tabStrip;
    RECT area{};
    GetClientRect(tabStrip, &area);
    HDC screen = GetDC(tabStrip);
    HDC memory = CreateCompatibleDC(screen);
    UniqueHbitmap image(CreateCompatibleBitmap(screen, area.right, area.bottom));
    HGDIOBJ previous = SelectObject(memory, image.Get());
    FillRect(memory, &area, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageW(tabStrip, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(tabStrip, screen);
    brush_.Reset(CreatePatternBrush(image.Get()));
}

HBRUSH PageBackground::BrushFor(HWND control, HDC dc) const
{
    if (!brush_) {
        return nullptr;
    }
    const POINT offset = OffsetInTabStrip(control, tabStrip_);
    SetBrushOrgEx(dc, -offset.x, -offset.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return brush_.Get();
}

void PageBackground::Fill(HWND window, HDC dc) const
{
    RECT area{};
    GetClientRect(window, &area);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (!brush_) {
        return;
    }
    // Only the part of `window` that lies over the tab strip shows the page.
    RECT strip{};
    GetClientRect(tabStrip_, &strip);
    MapWindowPoints(tabStrip_, window, reinterpret_cast<POINT*>(&strip), 2);
    RECT overlap{};
    if (IntersectRect(&overlap, &area, &strip) != FALSE) {
        const POINT offset = OffsetInTabStrip(window, tabStrip_);
        SetBrushOrgEx(dc, -offset.x, -offset.y, nullptr);
        FillRect(dc, &overlap, brush_.Get());
    }
}

} // namespace talmoran::win32
