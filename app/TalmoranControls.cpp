// Building the window's controls from the layout table, and placing them and
// their font at a DPI.
#include <windows.h>
#include <commctrl.h>

#include "app/TabPages.h"
#include "app/TalmoranWindow.h"
#include "platform/Twips.h"
#include "platform/win32/FrameWindow.h"

namespace talmoran {
namespace {

struct WindowClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

WindowClass ClassFor(ControlKind kind)
{
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (kind) {
    case ControlKind::Frame: return {win32::kFrameClassName, kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlKind::Button: return {WC_BUTTONW, kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::CheckBox: return {WC_BUTTONW, kChild | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    // Notes read as plain text on the page: no border, no tab stop, not editable.
    case ControlKind::Note: return {WC_EDITW, kChild | ES_MULTILINE | ES_READONLY, 0};
    case ControlKind::TabStrip: break;
    }
    // Clips the controls lying on it, which are above it in the z-order.
    return {WC_TABCONTROLW, kChild | WS_TABSTOP | WS_CLIPSIBLINGS, 0};
}

void AddTabs(HWND tabStrip)
{
    int position = 0;
    for (const std::wstring_view caption : kTabCaptions) {
        std::wstring text(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(tabStrip, TCM_INSERTITEMW, static_cast<WPARAM>(position++), reinterpret_cast<LPARAM>(&item));
    }
}

} // namespace

void TalmoranWindow::BuildControls(HINSTANCE instance)
{
    win32::RegisterFrameClass(instance);
    // Created container by container in tab order: Win32's tab order is the
    // z-order, and the tab strip, last, lies beneath everything on its page.
    for (const ControlId container : {ControlId::Window, ControlId::ChoiceFrame0, ControlId::ChoiceFrame1}) {
        HWND parent = container == ControlId::Window ? window_ : controls_.at(container);
        for (const ControlSpec& row : InTabOrder(container)) {
            const WindowClass windowClass = ClassFor(row.kind);
            const std::wstring text(row.text);
            HWND control =
                CreateWindowExW(windowClass.exStyle, windowClass.name, text.c_str(), windowClass.style, 0, 0, 0, 0,
                                parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(row.id)), instance, nullptr);
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
    // Moved in one batch: one repaint of the window, not one per control.
    HDWP batch = BeginDeferWindowPos(static_cast<int>(Controls().size()));
    for (const ControlSpec& row : Controls()) {
        batch = DeferWindowPos(batch, controls_.at(row.id), nullptr, TwipsToPixels(row.rect.left, dpi),
                               TwipsToPixels(row.rect.top, dpi), TwipsToPixels(row.rect.width, dpi),
                               TwipsToPixels(row.rect.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(batch);
    if (loaded_) {
        StackFramesOnFirst(*ChoiceFrame_, false); // the pages keep sharing one place
    }
    page_.Capture(controls_.at(ControlId::TabStrip1));
}

void TalmoranWindow::ApplyFont(UINT dpi)
{
    win32::LayoutFont previous = std::move(font_);
    font_ = win32::CreateLayoutFont(dpi);
    for (const auto& [id, control] : controls_) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.font.Get()), TRUE);
    }
    // A new font resets an edit's margins to the font's own, which at some
    // DPIs push the last word of a note's first line onto a line of its own.
    for (const ControlId note : {ControlId::Text2, ControlId::Text3}) {
        SendMessageW(controls_.at(note), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    }
    // `previous` is released here, only after every child has the new font.
}

} // namespace talmoran
