#pragma once
// The load step's geometry: the window's fixed outer size and its centring on
// the primary screen, in twips.

#include "platform/WindowGeometry.h"

namespace talmoran {

inline constexpr float kLoadedWidth = 7000.0F;
inline constexpr float kLoadedHeight = 4000.0F;

// (screen - window) / 2 in floating point: not rounded, not clamped, so a half
// twip stays a half twip and a small screen gives a negative offset. A result
// that is not a finite number raises the overflow run-time error.
[[nodiscard]] float CentredOffset(float screenExtent, float windowExtent);

// Sets the outer size, then centres vertically and horizontally from the size
// read back (the window system may have adjusted it).
void SizeAndCentre(WindowGeometry& window, const Screen& screen);

} // namespace talmoran
