#include "app/Layout.h"

#include <algorithm>
#include "platform/RuntimeError.h"

namespace talmoran {
namespace {

constexpr std::wstring_view kDriveLetters = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// Drive box i: its letter, three rows of ten, tab order equal to its index.
constexpr ControlSpec DriveBox(int i)
{
    return {Check1Id(i),
            ControlKind::CheckBox,
            ControlId::Window,
            kDriveLetters.substr(static_cast<std::size_t>(i), 1),
            {480 + 600 * (i % 10), 720 + 360 * (i / 10), 495, 255},
            i};
}

constexpr std::wstring_view kLockNote = L"If you want to lock any drive(s) previous action \r\nhas been canceled.\r\n";
constexpr std::wstring_view kHideNote = L"If you want to hide any drive(s) previous action \r\nhas been canceled.\r\n";

constexpr std::array<ControlSpec, kControlCount> kControls = {{
    {ControlId::ChoiceFrame0, ControlKind::Frame, ControlId::Window, L"Frame2", {240, 1800, 6375, 1370}, 27},
    {ControlId::Lock,
     ControlKind::Button,
     ControlId::ChoiceFrame0,
     L"&Lock Selected Drive (s)",
     {120, 120, 3135, 495},
     29},
    {ControlId::Unlock, ControlKind::Button, ControlId::ChoiceFrame0, L"&Unlock All Drive", {4080, 120, 2175, 495}, 30},
    {ControlId::Text2, ControlKind::Note, ControlId::ChoiceFrame0, kLockNote, {120, 720, 6135, 615}, 33},
    {ControlId::ChoiceFrame1, ControlKind::Frame, ControlId::Window, L"Frame2", {240, 3600, 6375, 1370}, 28},
    {ControlId::Text3, ControlKind::Note, ControlId::ChoiceFrame1, kHideNote, {120, 720, 5895, 495}, 34},
    {ControlId::Unhide, ControlKind::Button, ControlId::ChoiceFrame1, L"&Unhide All Drive", {4080, 120, 2175, 495}, 32},
    {ControlId::Hide,
     ControlKind::Button,
     ControlId::ChoiceFrame1,
     L"&Hide Selected Drive (s)",
     {120, 120, 3135, 495},
     31},
    {Check1Id(26), ControlKind::CheckBox, ControlId::Window, L"All Drives", {4800, 1440, 1575, 255}, 26},
    DriveBox(25),
    DriveBox(23),
    DriveBox(22),
    DriveBox(21),
    DriveBox(20),
    DriveBox(19),
    DriveBox(18),
    DriveBox(17),
    DriveBox(16),
    DriveBox(15),
    DriveBox(14),
    DriveBox(13),
    DriveBox(12),
    DriveBox(11),
    DriveBox(10),
    DriveBox(9),
    DriveBox(8),
    DriveBox(7),
    DriveBox(6),
    DriveBox(5),
    DriveBox(4),
    DriveBox(3),
    DriveBox(2),
    DriveBox(1),
    DriveBox(0),
    DriveBox(24),
    {ControlId::TabStrip1, ControlKind::TabStrip, ControlId::Window, L"", {120, 120, 6615, 3255}, 35},
}};

} // namespace

const std::array<ControlSpec, kControlCount>& Controls()
{
    return kControls;
}

std::vector<ControlSpec> InTabOrder(ControlId container)
{
    std::vector<ControlSpec> result;
    std::copy_if(kControls.begin(), kControls.end(), std::back_inserter(result),
                 [container](const ControlSpec& c) { return c.container == container; });
    std::sort(result.begin(), result.end(),
              [](const ControlSpec& a, const ControlSpec& b) { return a.tabOrder < b.tabOrder; });
    return result;
}

const ControlSpec& ControlById(ControlId id)
{
    const auto found =
        std::find_if(kControls.begin(), kControls.end(), [id](const ControlSpec& c) { return c.id == id; });
    if (found == kControls.end()) {
        throw RuntimeError::SubscriptOutOfRange();
    }
    return *found;
}

} // namespace talmoran
