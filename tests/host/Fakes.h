#pragma once
// Fakes of the seam for the host tests: each keeps the state the logic left
// in it, and can be told to fail the way the real one may.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Interfaces.h"

namespace talmoran::test {

struct FakeCheckBoxes final : CheckBoxes {
    std::array<CheckValue, 27> values{};
    std::optional<Int16> failingIndex;
    mutable int reads = 0;

    // Boxes named by their letters, '*' for All Drives: Set("CD*").
    void Set(std::string_view letters, CheckValue value = CheckValue::Ticked)
    {
        for (const char letter : letters) {
            values.at(letter == '*' ? 26U : static_cast<std::size_t>(letter - 'A')) = value;
        }
    }
    [[nodiscard]] CheckValue Value(Int16 index) const override
    {
        ++reads;
        if (index == failingIndex) {
            throw RuntimeError::SubscriptOutOfRange();
        }
        return values.at(static_cast<std::size_t>(index));
    }
};

// Keeps every write in order as ("key\value name", data): a value the code
// did not write cannot have changed.
struct FakeRegistry final : CurrentUserRegistry {
    std::vector<std::pair<std::wstring, std::uint32_t>> writes;
    bool refuse = false;

    void SetDword(std::wstring_view keyPath, std::wstring_view valueName, std::uint32_t data) override
    {
        if (refuse) {
            throw RuntimeError(5, L"Access is denied.");
        }
        writes.emplace_back(std::wstring(keyPath) + L"\\" + std::wstring(valueName), data);
    }
};

struct FakeMessageBox final : ModalMessageBox {
    std::vector<std::wstring> shown;
    bool refuseFirst = false; // the first box raises instead of showing

    void Show(std::wstring_view prompt) override
    {
        shown.emplace_back(prompt);
        if (refuseFirst && shown.size() == 1) {
            throw RuntimeError(1400, L"Invalid window handle.");
        }
    }
};

using Place = std::array<float, 4>; // left, top, width, height

// A frame index out of range throws std::out_of_range, where the real array
// raises its subscript run-time error.
struct FakeFrames final : FrameArray {
    std::vector<Place> rects;
    std::vector<bool> visible;

    explicit FakeFrames(std::vector<Place> laidOut) : rects(std::move(laidOut)), visible(rects.size(), true) {}

    [[nodiscard]] Int16 UBound() const override { return static_cast<Int16>(static_cast<int>(rects.size()) - 1); }
    [[nodiscard]] TwipsRect Rect(Int16 index) const override
    {
        const Place& r = rects.at(static_cast<std::size_t>(index));
        return {r[0], r[1], r[2], r[3]};
    }
    void Move(Int16 index, const TwipsRect& place) override
    {
        rects.at(static_cast<std::size_t>(index)) = {place.left, place.top, place.width, place.height};
    }
    void SetVisible(Int16 index, bool show) override { visible.at(static_cast<std::size_t>(index)) = show; }
};

struct FakeTabStrip final : TabStrip {
    Int16 selected = 0;
    void Select(Int16 tabIndex) override { selected = tabIndex; }
    [[nodiscard]] Int16 SelectedIndex() const override { return selected; }
};

} // namespace talmoran::test
