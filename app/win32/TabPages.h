#pragma once
// The tab pages: two pages share one place, and each tab of TabStrip1 shows
// its own frame of ChoiceFrame, page p in ChoiceFrame(p - 1). The drive boxes
// lie outside the frames, on both. The load step sets the pages up before the
// window is first shown; a tab click shows the page selected.

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/CheckedArithmetic.h"
#include "platform/Twips.h"

namespace talmoran {

// The page frames ChoiceFrame over their windows: place and size in twips at
// the window's DPI, and visibility. Each raises the subscript run-time error
// for an index with no frame.
class FrameArray {
public:
    FrameArray() = default;
    explicit FrameArray(std::vector<HWND> frames) : frames_(std::move(frames)) {}
    [[nodiscard]] Int16 UBound() const;
    [[nodiscard]] TwipsRect Rect(Int16 index) const;
    void Move(Int16 index, const TwipsRect& place) const;
    // A hidden frame is disabled as well, with every control on it.
    void SetVisible(Int16 index, bool visible) const;

private:
    [[nodiscard]] HWND At(Int16 index) const;
    std::vector<HWND> frames_;
};

// The tab strip TabStrip1; its tabs are numbered from 1.
class TabStrip {
public:
    explicit TabStrip(HWND tabControl = nullptr) noexcept : tabControl_(tabControl) {}
    // Raises the subscript run-time error for a tab it does not have.
    void Select(Int16 tabIndex) const;
    [[nodiscard]] Int16 SelectedIndex() const;

private:
    HWND tabControl_;
};

// The tab pages at start: every other frame stacked on ChoiceFrame(0) and
// hidden, tab 1 selected and its page shown. It ticks or clears no drive box.
void SetUpTabPages(const FrameArray& ChoiceFrame, const TabStrip& TabStrip1, Int16& CurrentPage);

// After the user selected a tab: hides the page that was shown and shows the
// selected one. It does not compare them, so a repeated click keeps the page.
void ShowSelectedPage(const FrameArray& ChoiceFrame, const TabStrip& TabStrip1, Int16& CurrentPage);

// Moves ChoiceFrame(1..UBound) onto ChoiceFrame(0), one Move each, and hides
// them when asked. Used again after the layout is applied at a new DPI.
void StackFramesOnFirst(const FrameArray& ChoiceFrame, bool hide);

} // namespace talmoran
