#include "platform/win32/PageBackground.h"

#include <utility>

#include "platform/win32/GdiScopes.h"

namespace talmoran::win32 {
namespace {

// Where `window`'s client origin lies in the tab strip's client coordinates.
POINT OffsetInTabStrip(HWND window, HWND tabStrip)
{
    POINT origin{0, 0};
    MapPointsChecked(window, tabStrip, &origin, 1);
    return origin;
}

RECT ClientRect(HWND window)
{
    RECT area{};
    CheckWin32(GetClientRect(window, &area), L"GetClientRect");
    return area;
}

} // namespace

void PageBackground::Invalidate(HWND tabStrip) noexcept
{
    tabStrip_ = tabStrip;
    brush_.Reset();
    image_.Reset();
}

bool PageBackground::EnsureCaptured()
{
    if (brush_ || tabStrip_ == nullptr) {
        return static_cast<bool>(brush_);
    }
    const RECT area = ClientRect(tabStrip_);
    UniqueHbitmap image;
    {
        const WindowDc screen(tabStrip_);
        const MemoryDc memory(screen.Get());
        image.Reset(
            CheckWin32(CreateCompatibleBitmap(screen.Get(), area.right, area.bottom), L"CreateCompatibleBitmap"));
        const SelectedObject selected(memory.Get(), image.Get());
        FillRect(memory.Get(), &area, GetSysColorBrush(COLOR_BTNFACE));
        SendMessageW(tabStrip_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    }
    // The bitmap lives as long as the brush made from it, which the
    // documentation does not promise to copy it.
    brush_.Reset(CheckWin32(CreatePatternBrush(image.Get()), L"CreatePatternBrush"));
    image_ = std::move(image);
    return true;
}

HBRUSH PageBackground::BrushFor(HWND control, HDC dc)
{
    if (!EnsureCaptured()) {
        return nullptr;
    }
    const POINT offset = OffsetInTabStrip(control, tabStrip_);
    SetBrushOrgEx(dc, -offset.x, -offset.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    return brush_.Get();
}

void PageBackground::Fill(HWND window, HDC dc)
{
    const RECT area = ClientRect(window);
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (!EnsureCaptured()) {
        return;
    }
    // Only the part of `window` that lies over the tab strip shows the page.
    const POINT offset = OffsetInTabStrip(window, tabStrip_);
    RECT strip = ClientRect(tabStrip_);
    OffsetRect(&strip, -offset.x, -offset.y);
    RECT overlap{};
    if (IntersectRect(&overlap, &area, &strip) != FALSE) {
        SetBrushOrgEx(dc, -offset.x, -offset.y, nullptr);
        FillRect(dc, &overlap, brush_.Get());
    }
}

} // namespace talmoran::win32
