#include "policy/DriveSelection.h"

namespace talmoran {

void BuildDriveMask(const CheckBoxes& Check1, Int32& DriveMask)
{
    DriveMask = 0;
    for (Int16 i = 0; i < kDriveLetterCount; ++i) {
        if (Check1.Value(i) == CheckValue::Ticked) {
            DriveMask = CheckedAdd<Int32>(DriveMask, Int32{1} << i);
        }
    }
    if (Check1.Value(kAllDrivesIndex) == CheckValue::Ticked) {
        DriveMask = kAllDrivesMask;
    }
}

} // namespace talmoran
