#pragma once
// The window Talmoran as data: every control with its kind, container, text,
// rectangle in twips and tab order. The window is built from this table.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Twips.h"
#include "policy/DrivePolicies.h"

namespace talmoran {

enum class ControlKind { Frame, Button, CheckBox, Note, TabStrip };

// Control identifiers, clear of IDOK and IDCANCEL: the dialog manager sends
// those for Enter and Esc, which must not click a control of that id (Enter
// presses the focused button instead, and Esc does nothing).
enum class ControlId : std::uint16_t {
    Window = 0, // the container of top-level controls
    ChoiceFrame0 = 100,
    ChoiceFrame1 = 101,
    Lock = 102,
    Unlock = 103,
    Hide = 104,
    Unhide = 105,
    Text2 = 106,
    Text3 = 107,
    TabStrip1 = 108,
    Check1First = 200, // Check1(i) is Check1First + i
};

[[nodiscard]] constexpr ControlId Check1Id(int index)
{
    return static_cast<ControlId>(static_cast<int>(ControlId::Check1First) + index);
}

struct ControlSpec {
    ControlId id;
    ControlKind kind;
    ControlId container;
    std::wstring_view text;
    TwipsRect rect;
    int tabOrder;
};

// The window's own settings.
inline constexpr std::wstring_view kWindowCaption = L"Talmoran (talmoran@example.org)";
inline constexpr std::array<std::wstring_view, 2> kTabCaptions = {L"Lock Drive(s)", L"Hide Drive(s)"};

// The kind of the control `id`; nullopt for an id the layout does not have.
[[nodiscard]] std::optional<ControlKind> KindOf(ControlId id);

// The controls of one container, in tab order: the order to create them in,
// since Win32's tab order is the z-order.
[[nodiscard]] std::vector<ControlSpec> InTabOrder(ControlId container);

} // namespace talmoran
