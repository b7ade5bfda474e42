#pragma once
// ChoiceFrame and TabStrip1 over real windows, in twips at the window's DPI.

#include <windows.h>

#include <vector>

#include "platform/Pages.h"

namespace talmoran::win32 {

class Win32FrameArray final : public FrameArray {
public:
    explicit Win32FrameArray(std::vector<HWND> frames) : frames_(std::move(frames)) {}
    [[nodiscard]] Int16 UBound() const override;
    [[nodiscard]] FrameRect Rect(Int16 index) const override;
    void Move(Int16 index, float left, float top, float width, float height) override;
    // A hidden frame is disabled as well, with every control on it.
    void SetVisible(Int16 index, bool visible) override;

private:
    [[nodiscard]] HWND At(Int16 index) const;
    std::vector<HWND> frames_;
};

class Win32TabStrip final : public TabStrip {
public:
    explicit Win32TabStrip(HWND tabControl) noexcept : tabControl_(tabControl) {}
    void Select(Int16 tabIndex) override;
    [[nodiscard]] Int16 SelectedIndex() const override;

private:
    HWND tabControl_;
};

} // namespace talmoran::win32
