#pragma once
// The window's load step, in two parts: where the window goes, at its fixed
// outer size centred on the primary screen, which the window is created at
// (LoadedPlace); and the tab pages, set up before the window is first shown
// (SetUpTabPages). Two pages share one place: each tab of TabStrip1 shows its
// own frame of ChoiceFrame, page p in ChoiceFrame(p - 1). The drive boxes lie
// outside the frames, on both.

#include <optional>

#include "platform/Interfaces.h"

namespace talmoran {

// Where the load step puts the window, in twips on `screen` at `dpi`: the size
// it sets, 7000 x 4000 twips, read back as the window system keeps it in whole
// pixels (or `kept`, where the window system kept another size), centred on
// that size. The centring is done in floating point and neither rounded nor
// clamped, so a half twip stays a half twip and a small screen gives a
// negative offset; a result that is not a finite number raises the overflow
// run-time error. The window is created there. The program moves it again
// in two cases only: when the window system kept another size (it is then
// centred on that one) and at a change of DPI (to the place the system
// suggests); the user may drag it anywhere.
[[nodiscard]] TwipsRect LoadedPlace(ScreenSize screen, unsigned dpi, std::optional<PixelSize> kept = std::nullopt);

// The tab pages at start: every other frame stacked on ChoiceFrame(0) and
// hidden, tab 1 selected and its page shown. It ticks or clears no drive box.
void SetUpTabPages(FrameArray& ChoiceFrame, TabStrip& TabStrip1, Int16& CurrentPage);

// After the user selected a tab: hides the page that was shown and shows the
// selected one. It does not compare them, so a repeated click keeps the page.
void ShowSelectedPage(FrameArray& ChoiceFrame, const TabStrip& TabStrip1, Int16& CurrentPage);

// Moves ChoiceFrame(1..UBound) onto ChoiceFrame(0), one Move each; hides
// them when asked. Used again after the layout is applied at a new DPI.
void StackFramesOnFirst(FrameArray& ChoiceFrame, bool hide);

} // namespace talmoran
