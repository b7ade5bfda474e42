// Commands with their real boxes, DPI changes and theme and colour changes
// (where fonts, bitmaps and brushes are made) on the real window: GDI
// objects, windows and handles must not grow.
#include <gtest/gtest.h>

#include "bench/ProcessResources.h"
#include "tests/win/BoxWatcher.h"
#include "tests/win/PrefixRegistry.h"
#include "tests/win/WindowHarness.h"

namespace talmoran::test {
namespace {

void ChangeDpi(const WindowHarness& harness, UINT dpi)
{
    RECT suggested{0, 0, MulDiv(7000, static_cast<int>(dpi), 1440), MulDiv(4000, static_cast<int>(dpi), 1440)};
    SendMessageW(harness.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(harness.Handle()); // paints, so the page is captured again
}

// `commands` clicks on the four buttons in turn, then `changes` rounds of a
// DPI change there and back and a theme and a colour change.
void Exercise(WindowHarness& harness, int commands, int changes)
{
    const ControlId buttons[] = {ControlId::Lock, ControlId::Unlock, ControlId::Hide, ControlId::Unhide};
    for (int i = 0; i < commands; ++i) {
        SendMessageW(harness.Control(buttons[i % 4]), BM_CLICK, 0, 0);
    }
    const UINT dpi = harness.Dpi();
    for (int i = 0; i < changes; ++i) {
        ChangeDpi(harness, dpi * 5 / 4);
        ChangeDpi(harness, dpi);
        for (const UINT message : {WM_THEMECHANGED, WM_SYSCOLORCHANGE}) {
            SendMessageW(harness.Handle(), message, 0, 0);
            UpdateWindow(harness.Handle());
        }
    }
    harness.Pump();
}

TEST(Leaks, CommandsDpiAndThemeChangesLeaveNoObjectWindowOrHandleBehind)
{
    DeletePolicyKey();
    WindowHarness harness;
    harness.Tick(2);
    BoxDismisser dismisser;
    Exercise(harness, 20, 2); // every lazy allocation of a first run happens here
    const bench::ProcessResources before = bench::MeasureProcessResources();
    Exercise(harness, 300, 30);
    const bench::ProcessResources after = bench::MeasureProcessResources();
    EXPECT_EQ(dismisser.Stop(), 320) << "one box a command";
    ASSERT_GT(before.gdiObjects, 0U);
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
    EXPECT_LE(after.windows, before.windows);
    EXPECT_LE(after.handles, before.handles + 2);
    DeletePolicyKey();
}

} // namespace
} // namespace talmoran::test
