#include "platform/win32/LayoutFont.h"

#include <array>

#include "platform/win32/GdiScopes.h"

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
    result.cellHeight = metrics.tmHeight;
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

} // namespace talmoran::win32
