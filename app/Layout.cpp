#include "app/Layout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

#include "policy/DrivePolicies.h"

namespace talmoran {
namespace {

constexpr std::wstring_view kDriveLetters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
static_assert(kDriveLetters.size() == kDriveLetterCount);

// Drive box i: its letter, three rows of ten, tab order equal to its index.
constexpr ControlSpec DriveBox(std::size_t i)
{
    const int column = static_cast<int>(i % 10);
    const int row = static_cast<int>(i / 10);
    return {Check1Id(static_cast<int>(i)),
            ControlKind::CheckBox,
            ControlId::Window,
            kDriveLetters.substr(i, 1),
            {static_cast<float>(480 + (600 * column)), static_cast<float>(720 + (360 * row)), 495, 255},
            static_cast<int>(i)};
}

constexpr std::wstring_view kLockNote = L"If you want to lock any drive(s) previous action \r\nhas been canceled.\r\n";
constexpr std::wstring_view kHideNote = L"If you want to hide any drive(s) previous action \r\nhas been canceled.\r\n";

// Every control but the drive letter boxes.
constexpr auto kFixedRows = [] {
    using enum ControlId;
    using enum ControlKind;
    return std::to_array<ControlSpec>({
        {ChoiceFrame0, Frame, Window, L"Frame2", {240, 1800, 6375, 1370}, 27},
        {Lock, Button, ChoiceFrame0, L"&Lock Selected Drive (s)", {120, 120, 3135, 495}, 29},
        {Unlock, Button, ChoiceFrame0, L"&Unlock All Drive", {4080, 120, 2175, 495}, 30},
        {Text2, Note, ChoiceFrame0, kLockNote, {120, 720, 6135, 615}, 33},
        {ChoiceFrame1, Frame, Window, L"Frame2", {240, 3600, 6375, 1370}, 28},
        {Text3, Note, ChoiceFrame1, kHideNote, {120, 720, 5895, 495}, 34},
        {Unhide, Button, ChoiceFrame1, L"&Unhide All Drive", {4080, 120, 2175, 495}, 32},
        {Hide, Button, ChoiceFrame1, L"&Hide Selected Drive (s)", {120, 120, 3135, 495}, 31},
        {Check1Id(kAllDrivesIndex), CheckBox, Window, L"All Drives", {4800, 1440, 1575, 255}, 26},
        {TabStrip1, ControlKind::TabStrip, Window, L"", {120, 120, 6615, 3255}, 35},
    });
}();

constexpr std::size_t kControlCount = kFixedRows.size() + kDriveLetters.size();

constexpr std::array<ControlSpec, kControlCount> AllControls()
{
    std::array<ControlSpec, kControlCount> controls{};
    std::ranges::copy(kFixedRows, controls.begin());
    for (std::size_t i = 0; i < kDriveLetters.size(); ++i) {
        controls.at(kFixedRows.size() + i) = DriveBox(i);
    }
    return controls;
}

constexpr auto kControls = AllControls();

} // namespace

std::optional<ControlKind> KindOf(ControlId id)
{
    const auto found = std::ranges::find(kControls, id, &ControlSpec::id);
    return found == kControls.end() ? std::nullopt : std::optional(found->kind);
}

std::vector<ControlSpec> InTabOrder(ControlId container)
{
    std::vector<ControlSpec> result;
    std::ranges::copy_if(kControls, std::back_inserter(result),
                         [container](const ControlSpec& c) { return c.container == container; });
    std::ranges::sort(result, std::ranges::less{}, &ControlSpec::tabOrder);
    return result;
}

} // namespace talmoran
