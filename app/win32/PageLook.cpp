#include "app/win32/PageLook.h"

#include <optional>
#include <string_view>
#include <utility>

#include "platform/win32/Dpi.h"
#include "res/resource.h"

namespace talmoran {
using namespace win32;
namespace {

constexpr int kPointSize = 9;
constexpr int kCellAt96 = 8;

// The font asked for, if the system gave that face with a fixed-pitch cell
// within a pixel or so of `cell` (a raster Fixedsys that does not grow with
// the DPI is refused here). A null face takes whatever the system gives.
std::optional<UniqueHfont> Ask(const wchar_t* face, int height, int width, int cell)
{
    UniqueHfont font(
        CheckWin32(CreateFontW(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face),
                   L"CreateFontW"));
    wchar_t given[LF_FACESIZE] = {};
    TEXTMETRICW metrics{};
    {
        const WindowDc screen(nullptr);
        const SelectedObject selected(screen.Get(), font.Get());
        CheckWin32(GetTextFaceW(screen.Get(), LF_FACESIZE, given), L"GetTextFaceW");
        CheckWin32(GetTextMetricsW(screen.Get(), &metrics), L"GetTextMetricsW");
    }
    // TMPF_FIXED_PITCH set means variable pitch: a quirk of the Win32 API.
    const LONG givenCell = (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0 ? 0 : metrics.tmAveCharWidth;
    if (face != nullptr && (std::wstring_view(given) != face || givenCell < cell - 1 || givenCell > cell)) {
        return std::nullopt;
    }
    return font;
}

// Where `window`'s client origin lies in the tab strip's client coordinates.
POINT OffsetInTabStrip(HWND window, HWND tabStrip)
{
    POINT origin{0, 0};
    CheckWin32(ClientToScreen(window, &origin), L"ClientToScreen");
    CheckWin32(ScreenToClient(tabStrip, &origin), L"ScreenToClient");
    return origin;
}

UniqueHicon LoadIconAt(HINSTANCE instance, int widthMetric, int heightMetric, UINT dpi)
{
    return UniqueHicon(static_cast<HICON>(
        CheckWin32(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TALMORAN), IMAGE_ICON, SystemMetricAt(widthMetric, dpi),
                              SystemMetricAt(heightMetric, dpi), 0),
                   L"LoadImageW")));
}

RECT ClientRect(HWND window)
{
    RECT area{};
    CheckWin32(GetClientRect(window, &area), L"GetClientRect");
    return area;
}

} // namespace

win32::UniqueHfont CreateLayoutFont(UINT dpi)
{
    const int cell = MulDiv(kCellAt96, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    if (auto fixedsys = Ask(L"Fixedsys", -MulDiv(kPointSize, static_cast<int>(dpi), 72), 0, cell)) {
        return std::move(*fixedsys);
    }
    // Scalable fixed-pitch fallbacks, asked for the cell width directly; a
    // monospaced cell is about three fifths of the em.
    const int em = -(cell * 5 + 2) / 3;
    for (const wchar_t* face : {L"Courier New", L"Lucida Console", L"Consolas", L"DejaVu Sans Mono"}) {
        if (auto font = Ask(face, em, cell, cell)) {
            return std::move(*font);
        }
    }
    return std::move(*Ask(nullptr, em, cell, cell));
}

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
    // A themed tab control paints its parent's background first
    // (DrawThemeParentBackground), which asks for the page again. While the
    // capture runs no tab strip is known, so that request gets the plain
    // button face instead of a capture of its own, nested again and again. A
    // capture that fails ends the program; the button face stays until then.
    HWND tabStrip = std::exchange(tabStrip_, nullptr);
    const RECT area = ClientRect(tabStrip);
    UniqueHbitmap image;
    {
        const WindowDc screen(tabStrip);
        const UniqueMemoryDc memory(CheckWin32(CreateCompatibleDC(screen.Get()), L"CreateCompatibleDC"));
        image.Reset(
            CheckWin32(CreateCompatibleBitmap(screen.Get(), area.right, area.bottom), L"CreateCompatibleBitmap"));
        const SelectedObject selected(memory.Get(), image.Get());
        FillRect(memory.Get(), &area, GetSysColorBrush(COLOR_BTNFACE));
        SendMessageW(tabStrip, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    }
    // The bitmap lives as long as the brush made from it, which the
    // documentation does not promise to copy it.
    brush_.Reset(CheckWin32(CreatePatternBrush(image.Get()), L"CreatePatternBrush"));
    image_ = std::move(image);
    tabStrip_ = tabStrip;
    return true;
}

HBRUSH PageBackground::BrushFor(HWND control, HDC dc, int textColour)
{
    if (!EnsureCaptured()) {
        return nullptr;
    }
    const POINT offset = OffsetInTabStrip(control, tabStrip_);
    SetBrushOrgEx(dc, -offset.x, -offset.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(textColour));
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

void WindowIcons::LoadForClass(WNDCLASSEXW& windowClass, UINT dpi)
{
    windowClass.hIcon = LoadIconAt(windowClass.hInstance, SM_CXICON, SM_CYICON, dpi).Release();
    windowClass.hIconSm = LoadIconAt(windowClass.hInstance, SM_CXSMICON, SM_CYSMICON, dpi).Release();
}

void WindowIcons::Set(HWND window, UINT dpi)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    UniqueHicon small = LoadIconAt(instance, SM_CXSMICON, SM_CYSMICON, dpi);
    UniqueHicon large = LoadIconAt(instance, SM_CXICON, SM_CYICON, dpi);
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.Get()));
    small_ = std::move(small);
    large_ = std::move(large);
}

} // namespace talmoran
