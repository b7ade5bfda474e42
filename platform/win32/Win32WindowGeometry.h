#pragma once
// The main window's outer rectangle and the primary screen, in twips.

#include <windows.h>

#include "platform/WindowGeometry.h"

namespace talmoran::win32 {

class Win32WindowGeometry final : public WindowGeometry {
public:
    explicit Win32WindowGeometry(HWND window) noexcept : window_(window) {}
    [[nodiscard]] float Width() const override;
    [[nodiscard]] float Height() const override;
    void SetWidth(float twips) override;
    void SetHeight(float twips) override;
    void SetLeft(float twips) override;
    void SetTop(float twips) override;

private:
    [[nodiscard]] RECT Outer() const;
    // `keep` is SWP_NOMOVE or SWP_NOSIZE: the part of the rectangle not set.
    void Place(int left, int top, int width, int height, UINT keep);
    HWND window_;
};

class Win32Screen final : public Screen {
public:
    explicit Win32Screen(UINT dpi) noexcept : dpi_(dpi) {}
    [[nodiscard]] float Width() const override;
    [[nodiscard]] float Height() const override;

private:
    UINT dpi_;
};

} // namespace talmoran::win32
