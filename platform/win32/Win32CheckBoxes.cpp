#include "platform/win32/Win32CheckBoxes.h"

#include "platform/RuntimeError.h"

namespace talmoran::win32 {

CheckValue Win32CheckBoxes::Value(std::int16_t index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= boxes_.size() || boxes_[index] == nullptr) {
        throw RuntimeError::SubscriptOutOfRange();
    }
    switch (SendMessageW(boxes_[index], BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return CheckValue::Ticked;
    case BST_INDETERMINATE: return CheckValue::Greyed;
    default: return CheckValue::Unticked;
    }
}

} // namespace talmoran::win32
