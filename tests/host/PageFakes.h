#pragma once
// Test doubles for the window's geometry, the screen, the page frames and the
// tab strip, recording the calls made on them.

#include <string>
#include <vector>

#include "platform/Pages.h"
#include "platform/RuntimeError.h"
#include "platform/WindowGeometry.h"

namespace talmoran::test {

class FakeWindowGeometry final : public WindowGeometry {
public:
    float width = 8100, height = 6570, left = 4050, top = 4440;
    float forcedHeight = 0; // a window system that keeps its own height
    std::vector<std::string> calls;

    [[nodiscard]] float Width() const override { return width; }
    [[nodiscard]] float Height() const override { return height; }
    void SetWidth(float twips) override
    {
        calls.emplace_back("Width");
        width = twips;
    }
    void SetHeight(float twips) override
    {
        calls.emplace_back("Height");
        height = forcedHeight > 0 ? forcedHeight : twips;
    }
    void SetLeft(float twips) override
    {
        calls.emplace_back("Left");
        left = twips;
    }
    void SetTop(float twips) override
    {
        calls.emplace_back("Top");
        top = twips;
    }
};

// Built from named sides, FakeScreen({.width = ..., .height = ...}), so that
// a test cannot pass them the wrong way round.
struct ScreenSize {
    float width;
    float height;
};

struct FakeScreen final : public Screen {
    float width, height;
    explicit FakeScreen(ScreenSize size) : width(size.width), height(size.height) {}
    [[nodiscard]] float Width() const override { return width; }
    [[nodiscard]] float Height() const override { return height; }
};

class FakeFrames final : public FrameArray {
public:
    std::vector<FrameRect> rects;
    std::vector<bool> visible;
    std::vector<std::string> calls;

    explicit FakeFrames(std::vector<FrameRect> laidOut) : rects(std::move(laidOut)), visible(rects.size(), true) {}

    [[nodiscard]] Int16 UBound() const override { return static_cast<Int16>(static_cast<int>(rects.size()) - 1); }
    [[nodiscard]] FrameRect Rect(Int16 index) const override { return rects.at(Checked(index)); }
    void Move(Int16 index, float left, float top, float width, float height) override
    {
        calls.push_back("Move" + std::to_string(index));
        rects.at(Checked(index)) = {left, top, width, height};
    }
    void SetVisible(Int16 index, bool show) override
    {
        calls.push_back((show ? "Show" : "Hide") + std::to_string(index));
        visible.at(Checked(index)) = show;
    }

private:
    [[nodiscard]] std::size_t Checked(Int16 index) const
    {
        if (index < 0 || static_cast<std::size_t>(index) >= rects.size()) {
            throw RuntimeError::SubscriptOutOfRange();
        }
        return static_cast<std::size_t>(index);
    }
};

class FakeTabStrip final : public TabStrip {
public:
    Int16 selected = 0;
    std::vector<Int16> selections;
    void Select(Int16 tabIndex) override { selections.push_back(selected = tabIndex); }
    [[nodiscard]] Int16 SelectedIndex() const override { return selected; }
};

} // namespace talmoran::test
