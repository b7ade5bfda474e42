#pragma once
// Two pages in one place: each tab of TabStrip1 shows its own frame of
// ChoiceFrame, page p in ChoiceFrame(p - 1). The drive boxes are outside the
// frames and stay on both pages.

#include "platform/Pages.h"

namespace talmoran {

// Stacks every frame on ChoiceFrame(0), hidden; selects tab 1; shows page 1.
void SetUpPages(FrameArray& ChoiceFrame, TabStrip& TabStrip1, Int16& CurrentPage);

// After the user selected a tab: hides the page that was shown and shows the
// selected one. It does not compare them, so a repeated click keeps the page.
void OnTabClick(FrameArray& ChoiceFrame, const TabStrip& TabStrip1, Int16& CurrentPage);

// Moves ChoiceFrame(1..UBound) onto ChoiceFrame(0), one Move each; hides
// them when asked. Used again after the layout is applied at a new DPI.
void StackFramesOnFirst(FrameArray& ChoiceFrame, bool hide);

} // namespace talmoran
