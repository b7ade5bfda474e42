#pragma once
// The seam: everything the portable logic asks of the window system and the
// registry. The Win32 adapters implement it (platform/win32/Adapters.h), the
// host tests fake it (tests/host/PolicyTest.cpp).

#include <cstdint>
#include <string_view>

#include "platform/CheckedArithmetic.h"
#include "platform/Twips.h"

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

// The page frames ChoiceFrame: place, size and visibility, in twips. Each
// raises the subscript run-time error for an index with no frame.
class FrameArray {
public:
    virtual ~FrameArray() = default;
    [[nodiscard]] virtual Int16 UBound() const = 0;
    [[nodiscard]] virtual TwipsRect Rect(Int16 index) const = 0;
    virtual void Move(Int16 index, const TwipsRect& place) = 0;
    virtual void SetVisible(Int16 index, bool visible) = 0;
};

// The tab strip TabStrip1; tabs are numbered from 1.
class TabStrip {
public:
    virtual ~TabStrip() = default;
    virtual void Select(Int16 tabIndex) = 0;
    [[nodiscard]] virtual Int16 SelectedIndex() const = 0;
};

// The primary screen's size, in twips: read once, so a value.
struct ScreenSize {
    float width;
    float height;
};

} // namespace talmoran
