#pragma once
// The window's load step, in two parts: where the window goes, at its fixed
// outer size centred on the primary screen, which the window is created at
// (LoadedPlace, here); and the tab pages, set up before the window is first
// shown (SetUpTabPages, in app/win32/TabPages.h, over the real frames).

#include <optional>

#include "platform/Twips.h"

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

} // namespace talmoran
