#pragma once
// The focus kept as a dialog keeps it. The window itself takes no keys: when
// it gets the focus it hands it to the control that last had it, or to the
// first control in tab order if that one is gone from view.

#include <windows.h>

namespace talmoran {

// The control with the focus, if it is a control of `window` that a key or a
// click can reach now; null otherwise.
[[nodiscard]] inline HWND ReachableFocus(HWND window, HWND focus = GetFocus()) noexcept
{
    return focus != nullptr && IsChild(window, focus) != FALSE && IsWindowVisible(focus) != FALSE &&
                   IsWindowEnabled(focus) != FALSE
               ? focus
               : nullptr;
}

class DialogFocus {
public:
    // Where the focus goes at the first activation.
    explicit DialogFocus(HWND first = nullptr) noexcept : kept_(first) {}

    // On WM_ACTIVATE: going inactive, the control with the focus is kept.
    void OnActivate(HWND window, WPARAM wParam) noexcept
    {
        if (HWND focus = GetFocus(); LOWORD(wParam) == WA_INACTIVE && focus != nullptr && IsChild(window, focus)) {
            kept_ = focus;
        }
    }

    // On WM_SETFOCUS.
    void Restore(HWND window) const noexcept
    {
        HWND target = ReachableFocus(window, kept_);
        if ((target = target != nullptr ? target : GetNextDlgTabItem(window, nullptr, FALSE)) != nullptr) {
            SetFocus(target);
        }
    }

private:
    HWND kept_;
};

} // namespace talmoran
