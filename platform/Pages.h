#pragma once
// What the tab pages reach: the page frames ChoiceFrame (place, size and
// visibility, in twips) and the tab strip TabStrip1 (its selected tab).

#include "platform/Checked.h"

namespace talmoran {

struct FrameRect {
    float left;
    float top;
    float width;
    float height;
};

class FrameArray {
public:
    virtual ~FrameArray() = default;
    [[nodiscard]] virtual Int16 UBound() const = 0;
    // Each raises the subscript run-time error for an index with no frame.
    [[nodiscard]] virtual FrameRect Rect(Int16 index) const = 0;
    virtual void Move(Int16 index, float left, float top, float width, float height) = 0;
    virtual void SetVisible(Int16 index, bool visible) = 0;
};

class TabStrip {
public:
    virtual ~TabStrip() = default;
    // Tabs are numbered from 1.
    virtual void Select(Int16 tabIndex) = 0;
    [[nodiscard]] virtual Int16 SelectedIndex() const = 0;
};

} // namespace talmoran
