#include "app/win32/PageLook.h"

#include <array>
#include <utility>

namespace talmoran::win32 {
namespace {

constexpr int kPointSize = 9;
constexpr int kCellAt96 = 8;

// The face and cell the system actually gave for a request.
LayoutFont Describe(UniqueHfont font)
{
    LayoutFont result;
    wchar_t face[LF_FACESIZE] = {};
    TEXTMETRICW metrics{};
    {
        const WindowDc screen(nullptr);
        const SelectedObject selected(screen.Get(), font.Get());
        CheckWin32(GetTextFaceW(screen.Get(), LF_FACESIZE, face), L"GetTextFaceW");
        CheckWin32(GetTextMetricsW(screen.Get(), &metrics), L"GetTextMetricsW");
    }
    result.font = std::move(font);
    result.face = face;
    result.cellWidth = metrics.tmAveCharWidth;
    // TMPF_FIXED_PITCH set means variable pitch: a quirk of the Win32 API.
    if ((metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) != 0) {
        result.cellWidth = 0;
    }
    return result;
}

UniqueHfont Request(const wchar_t* face, int height, int width)
{
    return UniqueHfont(
        CheckWin32(CreateFontW(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face),
                   L"CreateFontW"));
}

bool CellFits(const LayoutFont& font, int wantedCell)
{
    // Within a pixel or so of the wanted cell: a raster Fixedsys that does not
    // grow with the DPI is refused here.
    return font.cellWidth >= wantedCell - 1 && font.cellWidth <= wantedCell;
}

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

LayoutFont CreateLayoutFont(UINT dpi)
{
    const int height = -MulDiv(kPointSize, static_cast<int>(dpi), 72);
    const int wantedCell = MulDiv(kCellAt96, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    LayoutFont fixedsys = Describe(Request(L"Fixedsys", height, 0));
    if (fixedsys.face == L"Fixedsys" && CellFits(fixedsys, wantedCell)) {
        return fixedsys;
    }
    // Scalable fixed-pitch fallbacks, asked for the cell width directly; a
    // monospaced cell is about three fifths of the em.
    const int emHeight = -(wantedCell * 5 + 2) / 3;
    constexpr std::array<const wchar_t*, 4> kFallbacks = {L"Courier New", L"Lucida Console", L"Consolas",
                                                          L"DejaVu Sans Mono"};
    for (const wchar_t* face : kFallbacks) {
        LayoutFont candidate = Describe(Request(face, emHeight, wantedCell));
        if (candidate.face == face && CellFits(candidate, wantedCell)) {
            return candidate;
        }
    }
    return Describe(Request(nullptr, emHeight, wantedCell));
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
    const RECT area = ClientRect(tabStrip_);
    UniqueHbitmap image;
    {
        const WindowDc screen(tabStrip_);
        const UniqueMemoryDc memory(CheckWin32(CreateCompatibleDC(screen.Get()), L"CreateCompatibleDC"));
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
