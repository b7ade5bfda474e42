#pragma once
// The seam: what the drive policies ask of the window system and the registry,
// the drive boxes, the registry write and the message box. The Win32 adapters
// implement it (platform/win32/Adapters.h); the host tests fake it
// (tests/host/PolicyTest.cpp), which is why these are interfaces.

#include <cstdint>
#include <string_view>

#include "platform/CheckedArithmetic.h"

namespace talmoran {

// The drive check-box array Check1: the tick state of a member, by index.
enum class CheckValue : std::int16_t {
    Unticked = 0,
    Ticked = 1,
    Greyed = 2,
};

class CheckBoxes {
public:
    virtual ~CheckBoxes() = default;
    // Raises the subscript run-time error for an index with no member.
    [[nodiscard]] virtual CheckValue Value(Int16 index) const = 0;
};

// The one registry operation the program needs: create a key path under the
// current user when it is missing, then set a named 32-bit value in it,
// replacing a value of that name whatever its type. Raises a run-time error
// carrying the Win32 code when refused.
class CurrentUserRegistry {
public:
    virtual ~CurrentUserRegistry() = default;
    virtual void SetDword(std::wstring_view keyPath, std::wstring_view valueName, std::uint32_t data) = 0;
};

// A modal message box with a single OK button, owned by the main window and
// titled with the application title.
class ModalMessageBox {
public:
    virtual ~ModalMessageBox() = default;
    virtual void Show(std::wstring_view prompt) = 0;
};

} // namespace talmoran
