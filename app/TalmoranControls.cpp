// Building the window's controls from the layout table in place at the
// window's DPI, placing them again at a new DPI, and giving them their font.
#include "app/ControlClasses.h"
#include "app/TabPages.h"
#include "app/TalmoranWindow.h"
#include "platform/win32/FrameWindow.h"
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

void TalmoranWindow::BuildControls(HINSTANCE instance, UINT dpi)
{
    win32::RegisterFrameClass(instance);
    // Created container by container in tab order: Win32's tab order is the
    // z-order, and the tab strip, last, lies beneath everything on its page.
    for (const ControlId container : kContainers) {
        HWND parent = container == ControlId::Window ? window_ : controls_.at(container);
        for (const ControlSpec& row : InTabOrder(container)) {
            const WindowClass windowClass = ClassFor(row.kind);
            const std::wstring text(row.text);
            const PixelBox r = PixelRect(row.rect, dpi);
            HWND control = win32::CheckWin32(
                CreateWindowExW(windowClass.exStyle, windowClass.name, text.c_str(), windowClass.style, r.left, r.top,
                                r.width, r.height, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(row.id)),
                                instance, nullptr),
                L"CreateWindowExW");
            controls_[row.id] = control;
            if (row.kind == ControlKind::TabStrip) {
                AddTabs(control);
            }
        }
    }
    std::vector<HWND> boxes;
    for (int i = 0; i < kCheckBoxCount; ++i) {
        boxes.push_back(controls_.at(Check1Id(i)));
    }
    Check1_ = std::make_unique<win32::Win32CheckBoxes>(std::move(boxes));
    ChoiceFrame_ = std::make_unique<win32::Win32FrameArray>(
        std::vector<HWND>{controls_.at(ControlId::ChoiceFrame0), controls_.at(ControlId::ChoiceFrame1)});
    TabStrip1_ = std::make_unique<win32::Win32TabStrip>(controls_.at(ControlId::TabStrip1));
    messageBox_ = std::make_unique<win32::Win32MessageBox>(window_);
}

void TalmoranWindow::ApplyLayout(UINT dpi)
{
    for (const ControlId container : kContainers) {
        std::vector<Placement> siblings;
        for (const ControlSpec& row : InTabOrder(container)) {
            siblings.push_back({controls_.at(row.id), PixelRect(row.rect, dpi)});
        }
        MoveSiblingsTogether(siblings);
    }
    if (loaded_) {
        StackFramesOnFirst(*ChoiceFrame_, false); // the pages keep sharing one place
    }
    page_.Invalidate(controls_.at(ControlId::TabStrip1));
}

void TalmoranWindow::ApplyFont(UINT dpi, bool redraw)
{
    win32::LayoutFont previous = std::move(font_);
    font_ = win32::CreateLayoutFont(dpi);
    for (const auto& [id, control] : controls_) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.font.Get()), redraw ? TRUE : FALSE);
    }
    // `previous` is released here, only after every child has the new font.
}

} // namespace talmoran
