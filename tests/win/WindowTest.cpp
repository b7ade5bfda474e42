// The real window under Wine at the DPI the run asks for: geometry, layout,
// font, tab order, the tab pages, the buttons and their boxes, and the real
// registry writer in the throwaway prefix.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "bench/ProcessResources.h"
#include "platform/win32/FrameWindow.h"
#include "platform/win32/Win32Registry.h"
#include "policy/PolicyStore.h"
#include "tests/win/BoxWatcher.h"
#include "tests/win/PrefixRegistry.h"
#include "tests/win/WindowHarness.h"

namespace talmoran::test {
namespace {

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeletePolicyKey();
        const char* asked = std::getenv("TALMORAN_EXPECT_DPI");
        ASSERT_EQ(harness.Dpi(), asked != nullptr ? static_cast<UINT>(std::atoi(asked)) : 96U);
    }
    void TearDown() override { DeletePolicyKey(); }
    WindowHarness harness;
};

using Box = std::array<LONG, 4>; // left, top, width, height

Box BoxOf(const RECT& r)
{
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Worked out by hand: the outer size is 7000 x 4000 twips rounded to pixels,
// centred from the size read back, (screen - window) / 2 in twips, rounded.
struct Placement {
    UINT dpi;
    int screenWidth, screenHeight;
    Box outer;
};
constexpr Placement kPlacements[] = {
    {96, 1024, 768, {279, 251, 467, 267}},  // 278.5 and 250.5 round up
    {96, 1280, 1000, {407, 367, 467, 267}}, // a second screen size
    {120, 1024, 768, {221, 218, 583, 333}}, // 220.5, 217.5
    {144, 1024, 768, {162, 184, 700, 400}},
};

TEST_F(RealWindow, IsSevenThousandByFourThousandTwipsCentredWithAFixedBorderAndItsCaption)
{
    RECT outer{};
    GetWindowRect(harness.Handle(), &outer);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    std::printf("screen %dx%d pixels, window at %ld,%ld\n", screenWidth, screenHeight, outer.left, outer.top);
    const Placement* expected = nullptr;
    for (const Placement& p : kPlacements) {
        expected =
            p.dpi == harness.Dpi() && p.screenWidth == screenWidth && p.screenHeight == screenHeight ? &p : expected;
    }
    if (expected == nullptr) {
        GTEST_SKIP() << "no expectation written for this screen and DPI";
    }
    EXPECT_EQ(BoxOf(outer), expected->outer);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(harness.Handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0U);
    EXPECT_NE(style & WS_SYSMENU, 0U);
    EXPECT_EQ(TextOf(harness.Handle()), L"Talmoran (talmoran@example.org)");
}

TEST_F(RealWindow, EveryControlIsCreatedWithItsIdentifierAndText)
{
    for (const ControlSpec& row : Controls()) {
        HWND control = harness.Control(row.id);
        ASSERT_NE(control, nullptr) << static_cast<int>(row.id);
        EXPECT_EQ(GetDlgCtrlID(control), static_cast<int>(row.id));
        if (row.kind != ControlKind::TabStrip) {
            EXPECT_EQ(TextOf(control), row.text);
        }
    }
    HWND tabs = harness.Control(ControlId::TabStrip1);
    ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    const wchar_t* captions[] = {L"Lock Drive(s)", L"Hide Drive(s)"};
    for (int i = 0; i < 2; ++i) {
        wchar_t caption[64] = {};
        TCITEMW item{TCIF_TEXT, 0, 0, caption, 64, 0, 0};
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(caption, captions[i]);
    }
}

// Pixel rectangles in the container, worked out by hand from the layout's
// twips; x.5 rounds up, so truncation or a wrong DPI shows.
struct ControlBox {
    UINT dpi;
    ControlId id;
    Box box;
};
constexpr ControlBox kControlBoxes[] = {
    {96, ControlId::Lock, {8, 8, 209, 33}},
    {96, Check1Id(25), {232, 96, 33, 17}},
    {96, ControlId::ChoiceFrame1, {16, 120, 425, 91}}, // stacked on ChoiceFrame(0)
    {96, ControlId::TabStrip1, {8, 8, 441, 217}},
    {120, ControlId::Lock, {10, 10, 261, 41}},
    {120, Check1Id(25), {290, 120, 41, 21}},
    {120, ControlId::ChoiceFrame1, {20, 150, 531, 114}},
    {120, ControlId::Text2, {10, 60, 511, 51}},
    {144, ControlId::Lock, {12, 12, 314, 50}},
    {144, Check1Id(25), {348, 144, 50, 26}},
    {144, ControlId::ChoiceFrame1, {24, 180, 638, 137}},
    {144, ControlId::TabStrip1, {12, 12, 662, 326}},
    {144, ControlId::Text2, {12, 72, 614, 62}},
};

TEST_F(RealWindow, ControlsLieAtTheirLayoutPlaceInPixels)
{
    int checked = 0;
    for (const ControlBox& c : kControlBoxes) {
        if (c.dpi != harness.Dpi()) {
            continue;
        }
        EXPECT_EQ(BoxOf(RectInParent(harness.Control(c.id))), c.box) << static_cast<int>(c.id);
        ++checked;
    }
    EXPECT_GE(checked, 4);
}

// Pixels `text` takes in `control`'s font, without the access key marker.
SIZE TextExtent(HWND control, std::wstring text)
{
    std::erase(text, L'&');
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size;
}

std::wstring NoteLine(HWND note, int line)
{
    wchar_t buffer[128] = {127}; // EM_GETLINE reads the buffer's size from its first word
    const auto length = SendMessageW(note, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer));
    return {buffer, static_cast<std::size_t>(length)};
}

TEST_F(RealWindow, AFixedPitchFontWithAnEightPixelCellAtThisDpiKeepsEachNoteOnItsTwoLines)
{
    const auto& font = harness.Window().Font();
    const int wanted = static_cast<int>(harness.Dpi()) / 12; // 8 px at 96 DPI
    EXPECT_GE(font.cellWidth, wanted - 1);
    EXPECT_LE(font.cellWidth, wanted);
    if (harness.Dpi() == 96) {
        EXPECT_EQ(font.face, L"Fixedsys") << "the system has it at 96 DPI";
    }
    for (const auto& [id, verb] : {std::pair{ControlId::Text2, L"lock"}, std::pair{ControlId::Text3, L"hide"}}) {
        HWND note = harness.Control(id);
        EXPECT_EQ(NoteLine(note, 0), std::wstring(L"If you want to ") + verb + L" any drive(s) previous action ");
        EXPECT_EQ(NoteLine(note, 1), L"has been canceled.");
        RECT client{};
        GetClientRect(note, &client);
        EXPECT_LE(2 * TextExtent(note, L"X").cy, client.bottom) << "both lines show";
    }
}

TEST_F(RealWindow, MovedToAScreenOfAnotherDpiItTakesTheSuggestedPlaceAndLaysOutAgain)
{
    const UINT newDpi = harness.Dpi() * 5 / 4; // still fits a 1024 x 768 screen at 144 DPI
    harness.ClickTab(2);
    auto* oldFont = reinterpret_cast<HFONT>(SendMessageW(harness.Control(ControlId::Lock), WM_GETFONT, 0, 0));
    RECT suggested{10, 20, 10 + MulDiv(7000, static_cast<int>(newDpi), 1440),
                   20 + MulDiv(4000, static_cast<int>(newDpi), 1440)};
    SendMessageW(harness.Handle(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));

    RECT outer{};
    GetWindowRect(harness.Handle(), &outer);
    EXPECT_TRUE(EqualRect(&outer, &suggested));
    // 3135 twips at 120, 150 and 180 DPI.
    const int lockWidth = newDpi == 120 ? 261 : newDpi == 150 ? 327 : 392;
    const RECT button = RectInParent(harness.Control(ControlId::Lock));
    EXPECT_EQ(button.right - button.left, lockWidth);
    const RECT lockPage = RectInParent(harness.Control(ControlId::ChoiceFrame0));
    const RECT hidePage = RectInParent(harness.Control(ControlId::ChoiceFrame1));
    EXPECT_TRUE(EqualRect(&lockPage, &hidePage)) << "the pages still share one place";
    EXPECT_TRUE(IsWindowVisible(harness.Control(ControlId::ChoiceFrame1))) << "the page shown stays shown";
    EXPECT_EQ(SendMessageW(harness.Control(ControlId::Unhide), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(harness.Window().Font().font.Get()));
    EXPECT_GE(harness.Window().Font().cellWidth, static_cast<LONG>(newDpi) / 12 - 1);
    EXPECT_EQ(GetObjectType(oldFont), 0U) << "the old font is released once no child uses it";
}

TEST_F(RealWindow, StartsWithNoTickWhateverPoliciesAreSet)
{
    const DWORD all = 0x3FFFFFF;
    SetPolicyValue(L"NoViewOnDrive", REG_DWORD, &all, sizeof all);
    WindowHarness fresh;
    for (int i = 0; i < kCheckBoxCount; ++i) {
        EXPECT_FALSE(fresh.IsTicked(i)) << i;
    }
}

TEST_F(RealWindow, TabWalksTheBoxesThenTheShownPageAndEndsOnTheTabStrip)
{
    std::vector<HWND> expected;
    for (int i = 0; i < kCheckBoxCount; ++i) {
        expected.push_back(harness.Control(Check1Id(i)));
    }
    for (const ControlId id : {ControlId::Lock, ControlId::Unlock, ControlId::TabStrip1}) {
        expected.push_back(harness.Control(id));
    }
    expected.push_back(harness.Control(Check1Id(0)));
    HWND focus = GetFocus();
    ASSERT_EQ(focus, expected.front()) << "the focus starts on A";
    for (std::size_t step = 1; step < expected.size(); ++step) {
        focus = GetNextDlgTabItem(harness.Handle(), focus, FALSE);
        EXPECT_EQ(focus, expected[step]) << "step " << step << ": " << TextOf(focus);
    }
    harness.ClickTab(2);
    HWND hide = harness.Control(ControlId::Hide);
    EXPECT_EQ(GetNextDlgTabItem(harness.Handle(), harness.Control(Check1Id(26)), FALSE), hide);
    EXPECT_EQ(GetNextDlgTabItem(harness.Handle(), hide, FALSE), harness.Control(ControlId::Unhide));
}

TEST_F(RealWindow, ClickingATabSwapsThePageFramesAndTicksStay)
{
    HWND lockPage = harness.Control(ControlId::ChoiceFrame0);
    HWND hidePage = harness.Control(ControlId::ChoiceFrame1);
    harness.Tick(2);
    harness.Tick(26);
    for (const int tab : {2, 1, 2}) {
        harness.ClickTab(tab);
        EXPECT_EQ(harness.Window().Variables().CurrentPage, tab);
        EXPECT_EQ(IsWindowVisible(lockPage) != FALSE, tab == 1);
        EXPECT_EQ(IsWindowVisible(hidePage) != FALSE, tab == 2);
        EXPECT_TRUE(harness.IsTicked(2) && harness.IsTicked(26));
    }
}

TEST_F(RealWindow, AnErrorInATabClickIsReportedAndEndsTheProgram)
{
    // A tab with no page behind it, as a broken build could have: selecting
    // it asks for ChoiceFrame(2).
    wchar_t caption[] = L"Broken";
    TCITEMW item{TCIF_TEXT, 0, 0, caption, 0, 0, 0};
    SendMessageW(harness.Control(ControlId::TabStrip1), TCM_INSERTITEMW, 2, reinterpret_cast<LPARAM>(&item));
    auto watcher = WatchForBox();
    harness.ClickTab(3);
    const SeenBox report = watcher.get();
    harness.Pump();
    EXPECT_EQ(report.title, L"Talmoran");
    EXPECT_EQ(report.text, L"Run-time error '9':\r\n\r\nSubscript out of range");
    EXPECT_EQ(report.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(IsWindow(harness.Handle())) << "the program ends";
    EXPECT_EQ(harness.Window().ExitCode(), 1);
}

class RealButtons : public RealWindow, public ::testing::WithParamInterface<ExpectedCommand> {
protected:
    // Clicks the command's button, with C and D ticked, and reads its box.
    SeenBox Press()
    {
        const ControlId buttons[] = {ControlId::Lock, ControlId::Unlock, ControlId::Hide, ControlId::Unhide};
        const auto index = static_cast<std::size_t>(GetParam().command);
        harness.ClickTab(index < 2 ? 1 : 2);
        harness.Tick(2);
        harness.Tick(3);
        auto watcher = WatchForBox();
        SendMessageW(harness.Control(buttons[index]), BM_CLICK, 0, 0);
        return watcher.get();
    }
};

TEST_P(RealButtons, WriteTheRegistryAndRaiseTheBoxOwnedByTheWindowOrTheFailureBoxWhenRefused)
{
    const DWORD seven = 7;
    SetPolicyValue(GetParam().valueName, REG_DWORD, &seven, sizeof seven);
    SetPolicyKeyDacl(kDenySetValue);
    const SeenBox refused = Press();
    SetPolicyKeyDacl(kAllowAll);
    EXPECT_EQ(refused.text, GetParam().failure);
    EXPECT_EQ(refused.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(ReadPolicyValue(GetParam().valueName)->dword, 7U) << "a refused write keeps the value";

    const SeenBox seen = Press();
    EXPECT_EQ(seen.text, GetParam().success);
    EXPECT_EQ(seen.title, L"Talmoran");
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.owner, harness.Handle());
    EXPECT_TRUE(seen.ownerDisabled) << "the window takes no input while the box is open";
    const auto stored = ReadPolicyValue(GetParam().valueName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored->dword, GetParam().writtenWithCandD);
    EXPECT_TRUE(harness.IsTicked(2)) << "commands change no tick";
}

INSTANTIATE_TEST_SUITE_P(FourButtons, RealButtons, ::testing::ValuesIn(kExpectedCommands),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(RealRegistry, TheWriterCreatesTheKeyReplacesAStringKeepsOtherValuesAndZeroAndCarriesARefusal)
{
    DeletePolicyKey();
    win32::Win32CurrentUserRegistry registry;
    std::wstring PolicyPath;
    WritePolicyValue(registry, Policy::Lock, 5, PolicyPath);
    EXPECT_EQ(ReadPolicyValue(L"NoViewOnDrive")->dword, 5U) << "key path created";
    EXPECT_FALSE(ReadPolicyValue(L"NoDrives")) << "Lock leaves NoDrives alone";

    const wchar_t text[] = L"12";
    SetPolicyValue(L"NoDrives", REG_SZ, text, sizeof text);
    const DWORD one = 1;
    SetPolicyValue(L"NoRun", REG_DWORD, &one, sizeof one);
    WritePolicyValue(registry, Policy::Hide, 0x3FFFFFF, PolicyPath);
    WritePolicyValue(registry, Policy::Lock, 0, PolicyPath);
    const auto hidden = ReadPolicyValue(L"NoDrives");
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->type, static_cast<DWORD>(REG_DWORD)) << "a string of the same name is replaced";
    EXPECT_EQ(hidden->dword, 0x3FFFFFFU);
    const auto cleared = ReadPolicyValue(L"NoViewOnDrive");
    ASSERT_TRUE(cleared) << "cleared, not deleted";
    EXPECT_EQ(cleared->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(cleared->dword, 0U);
    EXPECT_EQ(ReadPolicyValue(L"NoRun")->dword, 1U);

    SetPolicyKeyDacl(kDenySetValue);
    try {
        WritePolicyValue(registry, Policy::Lock, 12, PolicyPath);
        ADD_FAILURE() << "the write should have been refused";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number(), ERROR_ACCESS_DENIED) << "the Win32 code";
    }
    SetPolicyKeyDacl(kAllowAll);
    DeletePolicyKey();
}

// Run on its own: it leaves the frame class unregistered for the process.
TEST(RefusedCreation, DISABLED_RaisesTheWin32CodeAndLeavesNoHalfBuiltWindow)
{
    {
        WindowHarness first;
    } // registers the classes once
    ASSERT_NE(UnregisterClassW(win32::kFrameClassName, GetModuleHandleW(nullptr)), FALSE);
    try {
        (void)TalmoranWindow::Create(GetModuleHandleW(nullptr));
        ADD_FAILURE() << "a control whose class is gone cannot be created";
    } catch (const RuntimeError& error) {
        // Windows answers ERROR_CANNOT_FIND_WND_CLASS, Wine ERROR_CLASS_DOES_NOT_EXIST.
        EXPECT_TRUE(error.Number() == ERROR_CANNOT_FIND_WND_CLASS || error.Number() == ERROR_CLASS_DOES_NOT_EXIST)
            << error.Number();
    }
    EXPECT_EQ(FindWindowW(L"Talmoran", nullptr), nullptr) << "no window is left behind";
}

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

// Run on its own, for a clean count: commands with their real boxes, DPI
// changes and theme and colour changes (where fonts, bitmaps and brushes are
// made) leave no GDI object, window or handle behind.
TEST(Leaks, DISABLED_CommandsDpiAndThemeChangesLeaveNoObjectWindowOrHandleBehind)
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
