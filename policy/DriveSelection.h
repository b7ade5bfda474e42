#pragma once
// Turns the ticks of the drive check boxes into a drive mask: bit i stands for
// drive letter A+i. The "All Drives" box overrides the letters.

#include "platform/Interfaces.h"

namespace talmoran {

inline constexpr Int16 kDriveLetterCount = 26;
inline constexpr Int16 kAllDrivesIndex = 26;
inline constexpr Int32 kAllDrivesMask = 0x3FFFFFF;

// Reads Check1(0) to Check1(26) afresh and leaves the mask in DriveMask. An
// error while reading leaves DriveMask with the sum built so far.
void BuildDriveMask(const CheckBoxes& Check1, Int32& DriveMask);

} // namespace talmoran
