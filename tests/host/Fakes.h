#pragma once
// Fakes of the seam for the host tests: each records what the logic asked of
// it, and can be told to fail the way the real one may.

#include <array>
#include <cstdint>
#include <memory>
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
class FakeRegistry final : public CurrentUserRegistry {
public:
    std::vector<std::pair<std::wstring, std::uint32_t>> writes;
    bool refuseKey = false, refuseWrite = false;

    [[nodiscard]] std::unique_ptr<RegistryKey> CreateKey(std::wstring_view keyPath) override
    {
        Refuse(refuseKey);
        return std::make_unique<Key>(*this, keyPath);
    }

private:
    static void Refuse(bool refused)
    {
        if (refused) {
            throw RuntimeError(5, L"Access is denied.");
        }
    }
    struct Key final : RegistryKey {
        Key(FakeRegistry& registry, std::wstring_view keyPath) : owner(registry), path(keyPath) {}
        void SetDword(std::wstring_view valueName, std::uint32_t data) override
        {
            Refuse(owner.refuseWrite);
            owner.writes.emplace_back(path + L"\\" + std::wstring(valueName), data);
        }
        FakeRegistry& owner;
        std::wstring path;
    };
};

using Shown = std::vector<std::pair<std::wstring, MessageBoxStyle>>;

struct FakeMessageBox final : ModalMessageBox {
    Shown shown;
    bool refuseFirst = false; // the first box raises instead of showing

    int Show(std::wstring_view prompt, MessageBoxStyle style) override
    {
        shown.emplace_back(prompt, style);
        if (refuseFirst && shown.size() == 1) {
            throw RuntimeError(1400, L"Invalid window handle.");
        }
        return 1;
    }
};

// Records each call with the values it was given.
struct FakeWindowGeometry final : WindowGeometry {
    TwipsRect outer{4050, 4440, 8100, 6570};
    float keptHeight = 0; // a window system that keeps a height of its own
    std::vector<std::pair<std::string, std::pair<float, float>>> calls;

    [[nodiscard]] TwipsRect Outer() const override
    {
        return {outer.left, outer.top, outer.width, keptHeight > 0 ? keptHeight : outer.height};
    }
    void Resize(float width, float height) override
    {
        calls.push_back({"Resize", {outer.width = width, outer.height = height}});
    }
    void MoveTo(float left, float top) override { calls.push_back({"MoveTo", {outer.left = left, outer.top = top}}); }
};

using Place = std::array<float, 4>; // left, top, width, height

// A frame index out of range throws, as the real array raises its subscript error.
struct FakeFrames final : FrameArray {
    std::vector<Place> rects;
    std::vector<bool> visible;
    std::vector<std::string> calls;

    explicit FakeFrames(std::vector<Place> laidOut) : rects(std::move(laidOut)), visible(rects.size(), true) {}

    [[nodiscard]] Int16 UBound() const override { return static_cast<Int16>(static_cast<int>(rects.size()) - 1); }
    [[nodiscard]] TwipsRect Rect(Int16 index) const override
    {
        const Place& r = rects.at(static_cast<std::size_t>(index));
        return {r[0], r[1], r[2], r[3]};
    }
    void Move(Int16 index, const TwipsRect& place) override
    {
        calls.push_back("Move" + std::to_string(index));
        rects.at(static_cast<std::size_t>(index)) = {place.left, place.top, place.width, place.height};
    }
    void SetVisible(Int16 index, bool show) override
    {
        calls.push_back((show ? "Show" : "Hide") + std::to_string(index));
        visible.at(static_cast<std::size_t>(index)) = show;
    }
};

struct FakeTabStrip final : TabStrip {
    Int16 selected = 0;
    void Select(Int16 tabIndex) override { selected = tabIndex; }
    [[nodiscard]] Int16 SelectedIndex() const override { return selected; }
};

} // namespace talmoran::test
