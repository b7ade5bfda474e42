#pragma once
// Check1 over real BUTTON check boxes, reached by index.

#include <windows.h>

#include <vector>

#include "platform/CheckBoxes.h"

namespace talmoran::win32 {

class Win32CheckBoxes final : public CheckBoxes {
public:
    explicit Win32CheckBoxes(std::vector<HWND> boxes) : boxes_(std::move(boxes)) {}
    [[nodiscard]] CheckValue Value(std::int16_t index) const override;

private:
    std::vector<HWND> boxes_;
};

} // namespace talmoran::win32
