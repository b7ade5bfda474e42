// The real window under Wine at the DPI the run asks for: its texts, a DPI
// change, a failed start and errors and their reports, the buttons and their
// boxes with the real registry of the throwaway prefix, changes while
// running, and leaks.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "app/win32/WindowClasses.h"
#include "testkit/ProcessResources.h"
#include "tests/win/PrefixRegistry.h"
#include "tests/win/WindowHarness.h"

namespace talmoran::test {
namespace {

// A box that no test took fails the run, with its text.
class UntakenBoxes : public ::testing::Environment {
    void SetUp() override { (void)Boxes(); } // pressing from the start
    void TearDown() override
    {
        for (const SeenBox& box : Boxes().Take()) {
            ADD_FAILURE() << "a box no test waited for: " << ::testing::PrintToString(box.text);
        }
    }
};
const auto* const kUntakenBoxes = ::testing::AddGlobalTestEnvironment(new UntakenBoxes);

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

TEST_F(RealWindow, ShowsEveryTextToTheLetterOnTheButtonFace)
{
    // A class takes the colour index + 1, never a system brush.
    for (HWND window : {harness.Handle(), harness.Control(ControlId::ChoiceFrame0)}) {
        EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    }
    const std::map<ControlId, std::wstring> texts = {
        {ControlId::Lock, L"&Lock Selected Drive (s)"},
        {ControlId::Unlock, L"&Unlock All Drive"},
        {ControlId::Hide, L"&Hide Selected Drive (s)"},
        {ControlId::Unhide, L"&Unhide All Drive"},
        {ControlId::Text2, L"If you want to lock any drive(s) previous action \r\nhas been canceled.\r\n"},
        {ControlId::Text3, L"If you want to hide any drive(s) previous action \r\nhas been canceled.\r\n"},
        {Check1Id(26), L"All Drives"},
    };
    for (const auto& [id, text] : texts) {
        EXPECT_EQ(TextOf(harness.Control(id)), text);
    }
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(TextOf(harness.Control(Check1Id(i))), std::wstring(1, static_cast<wchar_t>(L'A' + i)));
    }
    EXPECT_EQ(TextOf(harness.Handle()), L"Talmoran (talmoran@example.org)");
    for (const auto& [index, caption] : {std::pair{0, L"Lock Drive(s)"}, std::pair{1, L"Hide Drive(s)"}}) {
        wchar_t text[32] = {};
        TCITEMW item{TCIF_TEXT, 0, 0, text, 32, 0, 0};
        SendMessageW(harness.Control(ControlId::TabStrip1), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::wstring(text), caption);
    }
}

// The icons the system shows for the window, in pixels: small and large; its
// own, else its class's.
std::pair<LONG, LONG> IconSizes(HWND window)
{
    std::pair<LONG, LONG> sizes;
    for (const auto& [which, size] : {std::pair{ICON_SMALL, &sizes.first}, std::pair{ICON_BIG, &sizes.second}}) {
        const int classIcon = which == ICON_SMALL ? GCLP_HICONSM : GCLP_HICON;
        auto* icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
        icon = icon != nullptr ? icon : reinterpret_cast<HICON>(GetClassLongPtrW(window, classIcon));
        ICONINFO info{};
        BITMAP bitmap{};
        if (icon != nullptr && GetIconInfo(icon, &info) != FALSE) {
            GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        *size = bitmap.bmWidth;
    }
    return sizes;
}

// Moves the window to a screen of `dpi`, as the system does, at the place
// suggested; returns that suggested rectangle.
RECT ChangeDpi(const WindowHarness& harness, UINT dpi, POINT at = {0, 0})
{
    RECT suggested{at.x, at.y, at.x + MulDiv(7000, static_cast<int>(dpi), 1440),
                   at.y + MulDiv(4000, static_cast<int>(dpi), 1440)};
    SendMessageW(harness.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(harness.Handle()); // paints, so the page is captured again
    return suggested;
}

TEST_F(RealWindow, MovedToAScreenOfAnotherDpiItTakesTheSuggestedPlaceAndLaysOutAgain)
{
    // The icons' sizes in pixels, small and large: 16 and 32 at 96 DPI, scaled.
    const std::map<UINT, std::pair<LONG, LONG>> icons = {
        {96, {16, 32}}, {120, {20, 40}}, {144, {24, 48}}, {180, {30, 60}}};
    EXPECT_EQ(IconSizes(harness.Handle()), icons.at(harness.Dpi()));
    // Where GetDpiForWindow is missing (before Windows 10 1607), the DPI comes from here.
    EXPECT_EQ(win32::MonitorDpiOf(harness.Handle()), harness.Dpi());
    const UINT newDpi = harness.Dpi() * 5 / 4; // still fits a 1024 x 768 screen at 144 DPI
    harness.ClickTab(2);
    auto* oldFont = reinterpret_cast<HFONT>(SendMessageW(harness.Control(ControlId::Lock), WM_GETFONT, 0, 0));
    const RECT suggested = ChangeDpi(harness, newDpi, {10, 20});

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
    const auto newFont = SendMessageW(harness.Control(ControlId::Unhide), WM_GETFONT, 0, 0);
    EXPECT_EQ(SendMessageW(harness.Control(ControlId::Check1First), WM_GETFONT, 0, 0), newFont) << "one font for all";
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(newFont), sizeof font, &font);
    EXPECT_GE(-font.lfHeight, MulDiv(12, static_cast<int>(newDpi), 96)) << "9 point at the new DPI or larger";
    EXPECT_EQ(GetObjectType(oldFont), 0U) << "the old font is released once no child uses it";
    if (icons.contains(newDpi)) { // at 150 DPI the system's own rounding decides
        EXPECT_EQ(IconSizes(harness.Handle()), icons.at(newDpi));
    }
}

TEST(NotActivatedStart, StaysInactiveAndItsFirstActivationFocusesBoxA)
{
    // A launcher's window is the active one, as when a shortcut starts the
    // program minimized or a launcher passes SW_SHOWNOACTIVATE.
    HWND launcher = CreateWindowExW(0, L"Static", L"launcher", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                    nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(launcher, nullptr);
    for (const int command : {SW_SHOWNOACTIVATE, SW_SHOWMINNOACTIVE}) {
        SetForegroundWindow(launcher);
        WindowHarness harness(command);
        EXPECT_EQ(GetActiveWindow(), launcher) << command;
        EXPECT_EQ(IsIconic(harness.Handle()) != FALSE, command == SW_SHOWMINNOACTIVE);
        ShowWindow(harness.Handle(), SW_RESTORE); // the user switches to it
        SetForegroundWindow(harness.Handle());
        harness.Pump();
        EXPECT_EQ(GetFocus(), harness.Control(Check1Id(0))) << command;
    }
    DestroyWindow(launcher);
}

TEST(Failures, ABoxThatCannotBeShownIsAnErrorAndAFailedStartIsReportedAndEndsWithExitCodeOne)
{
    // An owner that is no window: Windows answers 0, Wine -1.
    win32::Win32MessageBox box(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF0000)));
    EXPECT_THROW(box.Show(L"never shown"), RuntimeError);

    // The system refuses to create a page frame, as it may when it runs short.
    const HOOKPROC refuseFrames = [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const wchar_t* name = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass;
        const bool frame = code == HCBT_CREATEWND && !IS_INTRESOURCE(name) && std::wstring(name) == kFrameClassName;
        return frame ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
    };
    HHOOK hook = SetWindowsHookExW(WH_CBT, refuseFrames, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const int exitCode = TalmoranWindow::Run(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(exitCode, 1);
    const auto report = Boxes().Next();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->title, L"Talmoran");
    EXPECT_EQ(report->text.rfind(L"Run-time error '", 0), 0U) << report->text;
    EXPECT_NE(report->text.find(L"CreateWindowExW"), std::wstring::npos) << report->text;
    EXPECT_EQ(FindWindowW(kWindowClassName, nullptr), nullptr) << "no half-built window is left";
}

TEST_F(RealWindow, AnErrorInATabClickIsReportedAndEndsTheProgram)
{
    // A tab with no page behind it, as a broken build could have: selecting
    // it asks for ChoiceFrame(2).
    wchar_t caption[] = L"Broken";
    TCITEMW item{TCIF_TEXT, 0, 0, caption, 0, 0, 0};
    SendMessageW(harness.Control(ControlId::TabStrip1), TCM_INSERTITEMW, 2, reinterpret_cast<LPARAM>(&item));
    harness.ClickTab(3);
    const auto report = Boxes().Next();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->title, L"Talmoran");
    EXPECT_EQ(report->text, L"Run-time error '9':\r\n\r\nSubscript out of range");
    EXPECT_EQ(report->buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(IsWindow(harness.Handle())) << "the program ends";
    EXPECT_EQ(harness.Window().ExitCode(), 1);
}

constexpr ControlId kButtons[] = {ControlId::Lock, ControlId::Unlock, ControlId::Hide, ControlId::Unhide};

class RealButtons : public RealWindow, public ::testing::WithParamInterface<ExpectedCommand> {
protected:
    // Clicks the command's button, with C and D ticked, and reads its box.
    SeenBox Press()
    {
        const auto index = static_cast<std::size_t>(GetParam().command);
        harness.ClickTab(index < 2 ? 1 : 2);
        harness.Tick(2);
        harness.Tick(3);
        SendMessageW(harness.Control(kButtons[index]), BM_CLICK, 0, 0);
        return Boxes().Next().value_or(SeenBox{});
    }
};

TEST_P(RealButtons, WriteTheRegistryAndRaiseTheBoxOwnedByTheWindowOrTheFailureBoxWhenRefused)
{
    const wchar_t seven[] = L"7"; // a string of the value's name, as another tool may leave
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kPolicyKey, GetParam().valueName, REG_SZ, seven, sizeof seven), 0);
    SetPolicyKeyDacl(kDenySetValue);
    const SeenBox refused = Press();
    SetPolicyKeyDacl(kAllowAll);
    EXPECT_EQ(refused.text, GetParam().failure);
    EXPECT_EQ(refused.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(ReadPolicyValue(GetParam().valueName), (StoredValue{REG_SZ, sizeof seven, 0x37}))
        << "a refused write keeps it";

    const SeenBox seen = Press();
    EXPECT_EQ(seen.text, GetParam().success);
    EXPECT_EQ(seen.title, L"Talmoran");
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.owner, harness.Handle());
    EXPECT_TRUE(seen.ownerDisabled) << "the window takes no input while the box is open";
    // The string replaced by four bytes; Unlock and Unhide clear it, not delete it.
    EXPECT_EQ(ReadPolicyValue(GetParam().valueName), (StoredValue{REG_DWORD, 4, GetParam().writtenWithCandD}));
    EXPECT_TRUE(harness.IsTicked(2)) << "commands change no tick";
}

INSTANTIATE_TEST_SUITE_P(FourButtons, RealButtons, ::testing::ValuesIn(kExpectedCommands),
                         [](const auto& p) { return std::string(p.param.name); });

// Run on its own: it takes every GDI object the process may have for a moment.
TEST(PaintFailure, DISABLED_FallsBackToTheButtonFaceAndIsReportedOnceAfterThePaint)
{
    WindowHarness harness;
    SendMessageW(harness.Handle(), WM_THEMECHANGED, 0, 0); // the page is captured again at its next paint
    HWND note = harness.Control(ControlId::Text2);
    HDC dc = GetDC(note);
    std::vector<HBRUSH> hoard; // every GDI object the process can still have
    for (HBRUSH brush = nullptr; hoard.size() < 100000 && (brush = CreateSolidBrush(0)) != nullptr;) {
        hoard.push_back(brush);
    }
    const auto brush = SendMessageW(harness.Control(ControlId::ChoiceFrame0), WM_CTLCOLORSTATIC,
                                    reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(note));
    const auto boxesDuringThePaint = Boxes().Take().size();
    for (HBRUSH b : hoard) {
        DeleteObject(b);
    }
    ReleaseDC(note, dc);
    ASSERT_LT(hoard.size(), 100000U) << "the system never refused an object";
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE))) << "the paint goes on in button face";
    EXPECT_EQ(boxesDuringThePaint, 0U) << "no box from inside the paint";
    harness.Pump(); // the report comes now, from the message posted for it
    const auto report = Boxes().Next();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->text.rfind(L"Run-time error '", 0), 0U) << report->text;
    EXPECT_EQ(report->title, L"Talmoran");
    EXPECT_FALSE(Boxes().Next(std::chrono::milliseconds(500))) << "reported once";
    EXPECT_FALSE(IsWindow(harness.Handle())) << "the program ends";
    EXPECT_EQ(harness.Window().ExitCode(), 1);
}

// The client area's pixels, as the user sees them.
std::vector<std::uint32_t> PixelsOf(const WindowHarness& harness)
{
    harness.Pump();
    UpdateWindow(harness.Handle());
    RECT client{};
    GetClientRect(harness.Handle(), &client);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(client.right * client.bottom));
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC window = GetDC(harness.Handle());
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(client.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(harness.Handle(), window);
    return pixels;
}

// What can change under a running window: its screen's DPI (there and back),
// the button face colour (changed and put back) and the theme (off and on).
std::vector<std::pair<const char*, std::function<void()>>> ChangesTo(const WindowHarness& window)
{
    const UINT dpi = window.Dpi();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto setFace = [](COLORREF colour) {
        const INT element = COLOR_BTNFACE;
        SetSysColors(1, &element, &colour);
    };
    const bool themed = IsAppThemed() != FALSE;
    return {
        {"a DPI change and back", [&window, dpi] { ChangeDpi(window, dpi * 5 / 4), ChangeDpi(window, dpi); }},
        {"the button face colour changed", [setFace] { setFace(RGB(200, 220, 240)); }},
        {"the button face colour put back", [setFace, face] { setFace(face); }},
        {"the theme switched off", [themed] { themed ? (void)EnableTheming(FALSE) : (void)0; }},
        {"the theme switched on", [themed] { themed ? (void)EnableTheming(TRUE) : (void)0; }},
    };
}

TEST(ChangesWhileRunning, LeaveTheWindowAsAFreshStartInThatStateShowsIt)
{
    SetCursorPos(0, 0); // a tab under the pointer is drawn hot in one window and not in the other
    WindowHarness running;
    for (const auto& [name, change] : ChangesTo(running)) {
        change();
        SetForegroundWindow(running.Handle());
        const auto seen = PixelsOf(running);
        const WindowHarness fresh;
        EXPECT_TRUE(seen == PixelsOf(fresh)) << name << ": pixels differ from a fresh start";
    }
}

// Run on its own, for a clean count: commands with their real boxes, and
// every change a running window meets (where fonts, bitmaps and brushes are
// made), leave no GDI object, window or handle behind.
TEST(Leaks, DISABLED_CommandsAndChangesWhileRunningLeaveNoObjectWindowOrHandleBehind)
{
    DeletePolicyKey();
    WindowHarness harness;
    harness.Tick(2);
    const auto changes = ChangesTo(harness);
    const auto exercise = [&](int rounds) {
        for (int round = 0; round < rounds; ++round) {
            for (const ControlId button : kButtons) {
                SendMessageW(harness.Control(button), BM_CLICK, 0, 0);
            }
            for (const auto& [name, change] : changes) {
                change();
                UpdateWindow(harness.Handle());
            }
        }
        harness.Pump();
    };
    exercise(3); // every lazy allocation of a first run happens here
    const ProcessResources before = MeasureProcessResources();
    exercise(30);
    const ProcessResources after = MeasureProcessResources();
    EXPECT_EQ(Boxes().Take().size(), 33U * 4) << "one box a command";
    ASSERT_GT(before.gdiObjects, 0U);
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
    EXPECT_LE(after.windows, before.windows);
    EXPECT_LE(after.handles, before.handles + 2);
    DeletePolicyKey();
}

} // namespace
} // namespace talmoran::test
