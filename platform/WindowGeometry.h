#pragma once
// The main window's outer rectangle and the primary screen's size, both in
// twips (1/1440 of a logical inch), as single-precision values.

namespace talmoran {

class WindowGeometry {
public:
    virtual ~WindowGeometry() = default;
    [[nodiscard]] virtual float Width() const = 0;
    [[nodiscard]] virtual float Height() const = 0;
    virtual void SetWidth(float twips) = 0;
    virtual void SetHeight(float twips) = 0;
    virtual void SetLeft(float twips) = 0;
    virtual void SetTop(float twips) = 0;
};

class Screen {
public:
    virtual ~Screen() = default;
    [[nodiscard]] virtual float Width() const = 0;
    [[nodiscard]] virtual float Height() const = 0;
};

} // namespace talmoran
