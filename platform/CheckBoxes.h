#pragma once
// The drive check-box array Check1 as the commands see it: the tick state of a
// member, fetched by its 16-bit index.

#include <cstdint>

namespace talmoran {

enum class CheckValue : std::int16_t {
    Unticked = 0,
    Ticked = 1,
    Greyed = 2,
};

class CheckBoxes {
public:
    virtual ~CheckBoxes() = default;
    // Raises the subscript run-time error for an index with no member.
    [[nodiscard]] virtual CheckValue Value(std::int16_t index) const = 0;
};

} // namespace talmoran
