// The real window under Wine at the DPI the run asks for: its texts, its
// place, a DPI change, a failed start and errors and their reports, the
// buttons and their boxes with the real registry of the throwaway prefix,
// changes while running, the colours of its texts, and leaks.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <sddl.h>
#include <uxtheme.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/win32/WindowClasses.h"
#include "testkit/ProcessResources.h"
#include "tests/win/WindowHarness.h"

namespace talmoran::test {
namespace {

using testkit::SeenBox;
using testkit::TextOf;

// Every box of the process is pressed from the start: a fault that raises one
// fails a test instead of hanging it.
const auto* const kPresser = &Boxes();

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeletePolicyKey();
        const char* asked = std::getenv("TALMORAN_EXPECT_DPI");
        ASSERT_EQ(harness.Dpi(), asked != nullptr ? static_cast<UINT>(std::atoi(asked)) : 96U);
        // The system DPI is the monitor's, but where a run asks for another, as
        // Windows keeps it after a change of scaling until the user signs out.
        const char* system = std::getenv("TALMORAN_EXPECT_SYSTEM_DPI");
        ASSERT_EQ(win32::SystemDpi(), system != nullptr ? static_cast<UINT>(std::atoi(system)) : harness.Dpi());
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
    // The texts whose every character the reference screenshots cannot show:
    // trailing blanks and line breaks.
    EXPECT_EQ(TextOf(harness.Control(ControlId::Text2)),
              L"If you want to lock any drive(s) previous action \r\nhas been canceled.\r\n");
    EXPECT_EQ(TextOf(harness.Control(ControlId::Text3)),
              L"If you want to hide any drive(s) previous action \r\nhas been canceled.\r\n");
}

// The system's part in creating a window of class `hookedClass`, played by a
// CBT hook on this thread (HCBT_CREATEWND): it refuses the window for want of
// memory or, where `keptHeight` is set, keeps it at most that many pixels
// high (WM_GETMINMAXINFO), as on a desktop smaller than the window.
const wchar_t* hookedClass = nullptr;
LONG keptHeight = 0;
WNDPROC hookedProc = nullptr;

LRESULT CALLBACK KeptLow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcW(hookedProc, window, message, wParam, lParam);
    if (message == WM_GETMINMAXINFO) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize.y = keptHeight;
    }
    return result;
}

LRESULT CALLBACK OnCreation(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* created = code == HCBT_CREATEWND ? reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs : nullptr;
    if (created != nullptr && !IS_INTRESOURCE(created->lpszClass) && std::wstring(created->lpszClass) == hookedClass) {
        if (keptHeight == 0) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 1;
        }
        hookedProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(reinterpret_cast<HWND>(wParam), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeptLow)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(StartUp, IsCentredOnTheSizeTheWindowSystemKeeps)
{
    std::tie(hookedClass, keptHeight) = std::pair{kWindowClassName, 200};
    HHOOK hook = SetWindowsHookExW(WH_CBT, OnCreation, nullptr, GetCurrentThreadId());
    const WindowHarness harness;
    UnhookWindowsHookEx(hook);
    RECT outer{};
    GetWindowRect(harness.Handle(), &outer);
    EXPECT_EQ(outer.bottom - outer.top, 200);
    EXPECT_EQ(outer.top, 284) << "(768 - 200) / 2 on the 1024 x 768 screen";
}

// The width of the icon the system shows for the window, ICON_SMALL or
// ICON_BIG: its own, else its class's.
LONG IconWidth(HWND window, int which)
{
    auto* icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
    icon = icon != nullptr ? icon
                           : reinterpret_cast<HICON>(GetClassLongPtrW(window, which == 0 ? GCLP_HICONSM : GCLP_HICON));
    ICONINFO info{};
    BITMAP bitmap{};
    if (icon != nullptr && GetIconInfo(icon, &info) != FALSE) {
        const win32::UniqueHbitmap colour(info.hbmColor);
        const win32::UniqueHbitmap mask(info.hbmMask);
        GetObjectW(colour.Get(), sizeof bitmap, &bitmap);
    }
    return bitmap.bmWidth;
}

// The window laid out at `dpi`: 7000 x 4000 twips outer, the Lock button 3135
// twips wide, one font of 9 points or more for all, and the icons, small and
// large, 16 and 32 pixels at 96 DPI, scaled (at 150 DPI the system's own
// rounding decides them). Returns its outer top left corner.
std::pair<LONG, LONG> ExpectLaidOutAt(const WindowHarness& harness, UINT dpi)
{
    // clang-format off
    const std::map<UINT, std::tuple<LONG, LONG, LONG>> sizes = {{96, {467, 267, 209}}, {120, {583, 333, 261}},
        {144, {700, 400, 314}}, {150, {729, 417, 327}}, {180, {875, 500, 392}}};
    const std::map<UINT, std::pair<LONG, LONG>> icons = {{96, {16, 32}}, {120, {20, 40}}, {144, {24, 48}},
        {180, {30, 60}}};
    // clang-format on
    RECT outer{};
    GetWindowRect(harness.Handle(), &outer);
    const RECT button = RectIn(harness.Control(ControlId::Lock));
    EXPECT_EQ(std::tuple(outer.right - outer.left, outer.bottom - outer.top, button.right - button.left), sizes.at(dpi))
        << dpi << " DPI";
    const auto font = SendMessageW(harness.Control(ControlId::Unhide), WM_GETFONT, 0, 0);
    EXPECT_EQ(SendMessageW(harness.Control(ControlId::Check1First), WM_GETFONT, 0, 0), font) << "one font for all";
    LOGFONTW logFont{};
    GetObjectW(reinterpret_cast<HFONT>(font), sizeof logFont, &logFont);
    EXPECT_GE(-logFont.lfHeight, MulDiv(12, static_cast<int>(dpi), 96)) << "9 point at " << dpi << " DPI or larger";
    if (icons.contains(dpi)) {
        EXPECT_EQ(std::pair(IconWidth(harness.Handle(), ICON_SMALL), IconWidth(harness.Handle(), ICON_BIG)),
                  icons.at(dpi));
    }
    return {outer.left, outer.top};
}

TEST_F(RealWindow, MovedToAScreenOfAnotherDpiItTakesTheSuggestedPlaceAndLaysOutAgain)
{
    // Created at its monitor's DPI, which is also the DPI it will be drawn at
    // where GetDpiForWindow is missing (before Windows 10 1607).
    ExpectLaidOutAt(harness, harness.Dpi());
    EXPECT_EQ(win32::PrimaryMonitorDpi(), harness.Dpi());
    const UINT newDpi = harness.Dpi() * 5 / 4; // still fits a 1024 x 768 screen at 144 DPI
    harness.ClickTab(2);
    ChangeDpi(harness.Handle(), newDpi, {10, 20});
    EXPECT_EQ(ExpectLaidOutAt(harness, newDpi), std::pair(10L, 20L)) << "at the place suggested";
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

// The system's own text for a Win32 error code.
std::wstring SystemText(DWORD code)
{
    wchar_t text[256] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, 256, nullptr);
    return std::wstring(text, length).erase(std::wstring(text, length).find_last_not_of(L"\r\n") + 1);
}

TEST(Failures, ABoxThatCannotBeShownIsAnErrorAndAFailedStartIsReportedWithTheSystemsCodeAndText)
{
    // An owner that is no window: Windows answers 0, Wine -1.
    win32::Win32MessageBox box(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF0000)));
    EXPECT_THROW(box.Show(L"never shown"), RuntimeError);

    // 1410: another window procedure already holds the main window's class
    // name. 8: the system refuses to create a page frame for want of memory.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const auto& [code, call] : {std::pair{1410UL, L"RegisterClassExW"}, std::pair{8UL, L"CreateWindowExW"}}) {
        UnregisterClassW(kFrameClassName, instance);
        UnregisterClassW(kWindowClassName, instance);
        const WNDCLASSW taken{0, DefWindowProcW, 0, 0, instance, nullptr, nullptr, nullptr, nullptr, kWindowClassName};
        if (code == 1410) {
            ASSERT_NE(RegisterClassW(&taken), 0);
        }
        std::tie(hookedClass, keptHeight) = std::pair{kFrameClassName, 0};
        HHOOK hook = SetWindowsHookExW(WH_CBT, OnCreation, nullptr, GetCurrentThreadId());
        EXPECT_EQ(TalmoranWindow::Run(instance, SW_SHOWNORMAL), 1) << code;
        UnhookWindowsHookEx(hook);
        UnregisterClassW(kFrameClassName, instance); // the next window registers its own
        UnregisterClassW(kWindowClassName, instance);
        const auto report = Boxes().Next();
        ASSERT_TRUE(report);
        EXPECT_EQ(report->text,
                  L"Run-time error '" + std::to_wstring(code) + L"':\r\n\r\n" + SystemText(code) + L" (" + call + L")");
        EXPECT_EQ(report->title, L"Talmoran");
        EXPECT_EQ(FindWindowW(kWindowClassName, nullptr), nullptr) << "no half-built window is left";
    }
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
    EXPECT_EQ(report->text, L"Run-time error '9':\r\n\r\nSubscript out of range");
    EXPECT_EQ(report->buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(IsWindow(harness.Handle())) << "the program ends";
    EXPECT_EQ(harness.Window().ExitCode(), 1);
}

constexpr ControlId kButtons[] = {ControlId::Lock, ControlId::Unlock, ControlId::Hide, ControlId::Unhide};

// A policy value as stored in the prefix: its type, its size in bytes and its
// first four bytes as a number; a missing value reads as REG_NONE.
std::tuple<DWORD, DWORD, std::uint32_t> Stored(const wchar_t* name)
{
    DWORD type = REG_NONE;
    std::uint8_t data[64] = {};
    DWORD size = sizeof data;
    RegGetValueW(HKEY_CURRENT_USER, kPolicyKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size);
    std::uint32_t dword = 0;
    std::memcpy(&dword, data, sizeof dword);
    return {type, size, dword};
}

// Sets the policy key's DACL. Wine ignores a descriptor handed to
// RegCreateKeyExW but enforces one set afterwards.
void SetPolicyKeyDacl(const wchar_t* sddl)
{
    win32::UniqueHkey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kPolicyKey, 0, nullptr, 0, WRITE_DAC, nullptr, key.Put(), nullptr),
              ERROR_SUCCESS);
    win32::UniqueHlocal descriptor;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, descriptor.Put(), nullptr));
    EXPECT_EQ(RegSetKeySecurity(key.Get(), DACL_SECURITY_INFORMATION, descriptor.Get()), ERROR_SUCCESS);
}

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
    SetPolicyKeyDacl(L"D:(D;;0x2;;;WD)(A;;GA;;;WD)"); // Everyone denied KEY_SET_VALUE alone: still readable
    const SeenBox refused = Press();
    SetPolicyKeyDacl(L"D:(A;;GA;;;WD)");
    EXPECT_EQ(refused.text, GetParam().failure);
    EXPECT_EQ(refused.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(Stored(GetParam().valueName), std::tuple(REG_SZ, DWORD{sizeof seven}, 0x37U))
        << "a refused write keeps it";

    const SeenBox seen = Press();
    EXPECT_EQ(seen.text, GetParam().success);
    EXPECT_EQ(seen.title, L"Talmoran");
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.owner, harness.Handle());
    EXPECT_TRUE(seen.ownerDisabled) << "the window takes no input while the box is open";
    // The string replaced by four bytes; Unlock and Unhide clear it, not delete it.
    EXPECT_EQ(Stored(GetParam().valueName), std::tuple(REG_DWORD, DWORD{4}, GetParam().writtenWithCandD));
    EXPECT_EQ(SendMessageW(harness.Control(Check1Id(2)), BM_GETCHECK, 0, 0), BST_CHECKED) << "commands change no tick";
}

INSTANTIATE_TEST_SUITE_P(FourButtons, RealButtons, ::testing::ValuesIn(kExpectedCommands),
                         [](const auto& p) { return std::string(p.param.name); });

// Run on its own: it takes every GDI object the process may have for a moment.
TEST(PaintFailure, DISABLED_FallsBackToTheButtonFaceAndIsReportedOnceAfterThePaint)
{
    WindowHarness harness;
    SendMessageW(harness.Handle(), WM_THEMECHANGED, 0, 0); // the page is captured again at its next paint
    HWND note = harness.Control(ControlId::Text2);
    std::vector<win32::UniqueHbrush> hoard; // every GDI object the process can still have
    LRESULT brush = 0;
    {
        const win32::WindowDc dc(note);
        for (HBRUSH b = nullptr; hoard.size() < 100000 && (b = CreateSolidBrush(0)) != nullptr;) {
            hoard.emplace_back(b);
        }
        brush = SendMessageW(harness.Control(ControlId::ChoiceFrame0), WM_CTLCOLORSTATIC,
                             reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(note));
    }
    const auto boxesDuringThePaint = Boxes().Take().size();
    const auto objects = hoard.size();
    hoard.clear();
    ASSERT_LT(objects, 100000U) << "the system never refused an object";
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE))) << "the paint goes on in button face";
    EXPECT_EQ(boxesDuringThePaint, 0U) << "no box from inside the paint";
    harness.Pump(); // the report comes now, from the message posted for it
    const auto report = Boxes().Next();
    ASSERT_TRUE(report);
    EXPECT_EQ(report->text.rfind(L"Run-time error '", 0), 0U) << report->text;
    EXPECT_FALSE(Boxes().Next(std::chrono::milliseconds(500))) << "reported once";
    EXPECT_FALSE(IsWindow(harness.Handle())) << "the program ends";
    EXPECT_EQ(harness.Window().ExitCode(), 1);
}

// The client area as the user sees it, row by row.
struct Picture {
    LONG width = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB
    bool operator==(const Picture&) const = default;
    [[nodiscard]] COLORREF At(LONG x, LONG y) const
    {
        const std::uint32_t p = pixels.at(static_cast<std::size_t>(y * width + x));
        return RGB(p >> 16U & 0xFFU, p >> 8U & 0xFFU, p & 0xFFU);
    }
};

Picture PixelsOf(const WindowHarness& harness)
{
    harness.Pump();
    UpdateWindow(harness.Handle());
    RECT client{};
    GetClientRect(harness.Handle(), &client);
    Picture picture{client.right, std::vector<std::uint32_t>(static_cast<std::size_t>(client.right * client.bottom))};
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    const win32::WindowDc window(harness.Handle());
    const win32::UniqueMemoryDc memory(CreateCompatibleDC(window.Get()));
    const win32::UniqueHbitmap bitmap(CreateCompatibleBitmap(window.Get(), client.right, client.bottom));
    {
        const win32::SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, client.right, client.bottom, window.Get(), 0, 0, SRCCOPY);
    }
    GetDIBits(memory.Get(), bitmap.Get(), 0, static_cast<UINT>(client.bottom), picture.pixels.data(), &info,
              DIB_RGB_COLORS);
    return picture;
}

// Within 80 in each of red, green and blue: an anti-aliased glyph has few
// pixels of its exact colour.
bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 80 && std::abs(GetGValue(a) - GetGValue(b)) <= 80 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 80;
}

// Every text of the page shown whose colour the program sets, in the colour
// the system gives it: the drive boxes' captions in the button text, the note
// in the window text. (A push button's text the system draws itself.) Where
// that colour is not black, nothing is black but the focus rectangle, which
// inverts the page.
void ExpectTextInSystemColours(const WindowHarness& window, const Picture& seen)
{
    for (auto id = static_cast<int>(ControlId::Text2); id <= static_cast<int>(Check1Id(26)); ++id) {
        HWND control = window.Control(static_cast<ControlId>(id));
        if (control == nullptr || IsWindowVisible(control) == FALSE || id == static_cast<int>(ControlId::TabStrip1)) {
            continue;
        }
        const COLORREF colour =
            GetSysColor(id <= static_cast<int>(ControlId::Text3) ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
        const RECT r = RectIn(control, window.Handle());
        int inColour = 0;
        int black = 0;
        for (LONG y = r.top; y < r.bottom; ++y) {
            for (LONG x = r.left; x < r.right; ++x) {
                inColour += Near(seen.At(x, y), colour) ? 1 : 0;
                black += Near(seen.At(x, y), 0) ? 1 : 0;
            }
        }
        EXPECT_GE(inColour, 8) << "control " << id << " has no text in COLORREF 0x" << std::hex << colour;
        EXPECT_TRUE(Near(colour, 0) || black == 0 || control == GetFocus()) << "control " << id << ": " << black;
    }
}

// A dark scheme, as a user with low vision picks: the button face, the button
// text and the window text all differ, and no colour a control draws is
// black, so that a black pixel is text left in the DC's own default.
const std::vector<std::pair<int, COLORREF>> kDarkScheme = {
    {COLOR_BTNFACE, RGB(0, 0, 96)},         {COLOR_BTNTEXT, RGB(255, 255, 0)},   {COLOR_WINDOWTEXT, RGB(0, 255, 255)},
    {COLOR_WINDOW, RGB(96, 0, 0)},          {COLOR_3DDKSHADOW, RGB(96, 96, 96)}, {COLOR_3DSHADOW, RGB(128, 128, 128)},
    {COLOR_WINDOWFRAME, RGB(255, 255, 255)}};

void SetScheme(const std::vector<std::pair<int, COLORREF>>& scheme)
{
    for (const auto& [element, colour] : scheme) {
        ASSERT_TRUE(SetSysColors(1, &element, &colour));
    }
}

// What can change under a running window: its screen's DPI (there and back),
// the colour scheme (to a dark one and back) and, where a theme is on, the
// theme (off and on).
std::vector<std::pair<const char*, std::function<void()>>> ChangesTo(const WindowHarness& window)
{
    const UINT dpi = window.Dpi();
    std::vector<std::pair<int, COLORREF>> standard;
    for (const auto& [element, colour] : kDarkScheme) {
        standard.emplace_back(element, GetSysColor(element));
    }
    std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"a DPI change and back",
         [&window, dpi] { ChangeDpi(window.Handle(), dpi * 5 / 4), ChangeDpi(window.Handle(), dpi); }},
        {"a dark scheme", [] { SetScheme(kDarkScheme); }},
        {"the scheme put back", [standard] { SetScheme(standard); }},
    };
    if (IsAppThemed() != FALSE) {
        changes.emplace_back("the theme switched off", [] { EnableTheming(FALSE); });
        changes.emplace_back("the theme switched on", [] { EnableTheming(TRUE); });
    }
    return changes;
}

// The controls of `window` from the top of the z-order down, each
// container's children after it: the order they paint in and Tab walks.
std::vector<int> Stacking(HWND window)
{
    std::vector<int> ids;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        ids.push_back(GetDlgCtrlID(child));
        const std::vector<int> inside = Stacking(child);
        ids.insert(ids.end(), inside.begin(), inside.end());
    }
    return ids;
}

TEST(ChangesWhileRunning, LeaveTheWindowAsAFreshStartInThatStateShowsItWithItsTextsInTheSystemsColours)
{
    SetCursorPos(0, 0); // a tab under the pointer is drawn hot in one window and not in the other
    WindowHarness running;
    for (const auto& [name, change] : ChangesTo(running)) {
        change();
        const WindowHarness fresh;
        EXPECT_EQ(Stacking(running.Handle()), Stacking(fresh.Handle())) << name;
        // The page shown through the change first, unclicked: a click shows a page afresh.
        const auto shown =
            static_cast<int>(SendMessageW(running.Control(ControlId::TabStrip1), TCM_GETCURSEL, 0, 0)) + 1;
        for (const int tab : {shown, 3 - shown}) {
            SCOPED_TRACE(std::string(name) + ", page " + std::to_string(tab));
            SetForegroundWindow(running.Handle());
            if (tab != shown) {
                running.ClickTab(tab);
            }
            const Picture seen = PixelsOf(running);
            ExpectTextInSystemColours(running, seen);
            SetForegroundWindow(fresh.Handle());
            fresh.ClickTab(tab);
            EXPECT_TRUE(seen == PixelsOf(fresh)) << "pixels differ from a fresh start";
        }
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
    const testkit::ProcessResources before = testkit::MeasureProcessResources();
    exercise(30);
    const testkit::ProcessResources after = testkit::MeasureProcessResources();
    EXPECT_EQ(Boxes().Take().size(), 33U * 4) << "one box a command";
    ASSERT_GT(before.gdiObjects, 0U);
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
    EXPECT_LE(after.windows, before.windows);
    EXPECT_LE(after.handles, before.handles + 2);
    DeletePolicyKey();
}

} // namespace
} // namespace talmoran::test
