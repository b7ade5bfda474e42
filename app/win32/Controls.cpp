#include "app/win32/Controls.h"

#include <string>
#include <vector>

#include "platform/win32/Win32Error.h"

namespace talmoran {
namespace {

void AddTabs(HWND tabStrip)
{
    int position = 0;
    for (const std::wstring_view caption : kTabCaptions) {
        std::wstring text(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        if (SendMessageW(tabStrip, TCM_INSERTITEMW, static_cast<WPARAM>(position++), reinterpret_cast<LPARAM>(&item)) ==
            -1) {
            throw win32::LastWin32Error(L"TCM_INSERTITEMW");
        }
    }
}

struct Placement {
    HWND control;
    PixelBox box;
};

// One deferred batch: Windows refuses a batch whose windows have different
// parents (ERROR_HWNDS_HAVE_DIFF_PARENT) and then moves none of them.
void MoveSiblingsTogether(const std::vector<Placement>& siblings)
{
    HDWP batch = win32::CheckWin32(BeginDeferWindowPos(static_cast<int>(siblings.size())), L"BeginDeferWindowPos");
    for (const Placement& p : siblings) {
        // On failure the system has already freed the batch.
        batch = win32::CheckWin32(DeferWindowPos(batch, p.control, nullptr, p.box.left, p.box.top, p.box.width,
                                                 p.box.height, SWP_NOZORDER | SWP_NOACTIVATE),
                                  L"DeferWindowPos");
    }
    win32::CheckWin32(EndDeferWindowPos(batch), L"EndDeferWindowPos");
}

} // namespace

ControlMap CreateControls(HWND window, HINSTANCE instance, UINT dpi)
{
    ControlMap controls;
    for (const ControlId container : kContainers) {
        HWND parent = container == ControlId::Window ? window : controls.at(container);
        for (const ControlSpec& row : InTabOrder(container)) {
            const WindowClass windowClass = ClassFor(row.kind);
            const std::wstring text(row.text);
            const PixelBox r = ToPixels(row.rect, dpi);
            HWND control = win32::CheckWin32(
                CreateWindowExW(windowClass.exStyle, windowClass.name, text.c_str(), windowClass.style, r.left, r.top,
                                r.width, r.height, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(row.id)),
                                instance, nullptr),
                L"CreateWindowExW");
            controls[row.id] = control;
            if (row.kind == ControlKind::TabStrip) {
                AddTabs(control);
            }
        }
    }
    return controls;
}

void PlaceControls(const ControlMap& controls, UINT dpi)
{
    for (const ControlId container : kContainers) {
        std::vector<Placement> siblings;
        for (const ControlSpec& row : InTabOrder(container)) {
            siblings.push_back({controls.at(row.id), ToPixels(row.rect, dpi)});
        }
        MoveSiblingsTogether(siblings);
    }
}

void SetControlsFont(const ControlMap& controls, HFONT font)
{
    for (const auto& [id, control] : controls) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

} // namespace talmoran
