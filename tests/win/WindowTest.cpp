// The real window under Wine at the DPI the run asks for: a DPI change, the
// start, errors and their reports, the buttons and their boxes with the real
// registry of the throwaway prefix, changes while running, and leaks.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <atomic>
#include <cstdlib>
#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <numeric>
#include <thread>
#include <utility>
#include <vector>

#include "bench/OkPresser.h"
#include "bench/ProcessResources.h"
#include "app/win32/WindowClasses.h"
#include "platform/win32/Adapters.h"
#include "platform/win32/RunTimeLookups.h"
#include "tests/win/BoxWatcher.h"
#include "tests/win/PrefixRegistry.h"
#include "tests/win/WindowHarness.h"

namespace talmoran::test {
namespace {

// A box no test waits for, such as the report of an error a fault raised,
// would wait for a click for ever: one still open after 5 s is pressed away,
// and the run fails at its end with the box's text.
class UnwatchedBoxes : public ::testing::Environment {
public:
    void SetUp() override
    {
        watcher_ = std::thread([this] {
            HWND seen = nullptr;
            auto since = std::chrono::steady_clock::now();
            for (; !stop_; std::this_thread::sleep_for(std::chrono::milliseconds(100))) {
                HWND box = FindBox(GetCurrentProcessId());
                if (box != seen) {
                    seen = box;
                    since = std::chrono::steady_clock::now();
                } else if (box != nullptr && std::chrono::steady_clock::now() - since > std::chrono::seconds(5)) {
                    texts_.push_back(ReadBox(box).text);
                    PostMessageW(box, WM_CLOSE, 0, 0);
                    seen = nullptr;
                }
            }
        });
    }
    void TearDown() override
    {
        stop_ = true;
        watcher_.join();
        EXPECT_EQ(texts_, std::vector<std::wstring>{}) << "boxes that no test waited for";
    }

private:
    std::thread watcher_;
    std::atomic<bool> stop_ = false;
    std::vector<std::wstring> texts_; // read only once the watcher has ended
};
const auto* const kUnwatchedBoxes = ::testing::AddGlobalTestEnvironment(new UnwatchedBoxes);

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

// The window's icons in pixels: small and large.
std::pair<LONG, LONG> IconSizes(HWND window)
{
    std::pair<LONG, LONG> sizes;
    for (const auto& [which, size] : {std::pair{ICON_SMALL, &sizes.first}, std::pair{ICON_BIG, &sizes.second}}) {
        auto* icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
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
    EXPECT_EQ(SendMessageW(harness.Control(ControlId::Unhide), WM_GETFONT, 0, 0),
              reinterpret_cast<LRESULT>(harness.Window().Font().font.Get()));
    EXPECT_GE(harness.Window().Font().cellWidth, static_cast<LONG>(newDpi) / 12 - 1);
    EXPECT_EQ(GetObjectType(oldFont), 0U) << "the old font is released once no child uses it";
    if (icons.contains(newDpi)) { // at 150 DPI the system's own rounding decides
        EXPECT_EQ(IconSizes(harness.Handle()), icons.at(newDpi));
    }
}

TEST_F(RealWindow, ClassesPaintTheButtonFaceByItsColourIndexNotASystemBrush)
{
    for (const ControlId id : {ControlId::Window, ControlId::ChoiceFrame0}) {
        HWND window = id == ControlId::Window ? harness.Handle() : harness.Control(id);
        EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1) << static_cast<int>(id);
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

TEST(RealMessageBox, ABoxThatCannotBeShownIsARunTimeError)
{
    // An owner that is no window: Windows answers 0, Wine -1.
    win32::Win32MessageBox box(reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF0000)));
    EXPECT_THROW((void)box.Show(L"never shown", MessageBoxStyle::OkOnly), RuntimeError);
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
    const wchar_t seven[] = L"7"; // a string of the value's name, as another tool may leave
    SetPolicyValue(GetParam().valueName, REG_SZ, seven, sizeof seven);
    SetPolicyKeyDacl(kDenySetValue);
    const SeenBox refused = Press();
    SetPolicyKeyDacl(kAllowAll);
    EXPECT_EQ(refused.text, GetParam().failure);
    EXPECT_EQ(refused.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(ReadPolicyValue(GetParam().valueName)->type, static_cast<DWORD>(REG_SZ)) << "a refused write keeps it";

    const SeenBox seen = Press();
    EXPECT_EQ(seen.text, GetParam().success);
    EXPECT_EQ(seen.title, L"Talmoran");
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.owner, harness.Handle());
    EXPECT_TRUE(seen.ownerDisabled) << "the window takes no input while the box is open";
    const auto stored = ReadPolicyValue(GetParam().valueName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD)) << "the string is replaced";
    EXPECT_EQ(stored->dword, GetParam().writtenWithCandD) << "Unlock and Unhide clear it, not delete it";
    EXPECT_TRUE(harness.IsTicked(2)) << "commands change no tick";
}

INSTANTIATE_TEST_SUITE_P(FourButtons, RealButtons, ::testing::ValuesIn(kExpectedCommands),
                         [](const auto& p) { return std::string(p.param.name); });

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

// Run on its own: it takes every GDI object the process may have for a moment.
TEST(PaintFailure, DISABLED_FallsBackToTheButtonFaceAndIsReportedOnceAfterThePaint)
{
    WindowHarness harness;
    SendMessageW(harness.Handle(), WM_THEMECHANGED, 0, 0); // the page is captured again at its next paint
    HWND note = harness.Control(ControlId::Text2);
    HDC dc = GetDC(note);
    auto watcher = WatchForBox();
    std::vector<HBRUSH> hoard; // every GDI object the process can still have
    for (HBRUSH brush = nullptr; hoard.size() < 100000 && (brush = CreateSolidBrush(0)) != nullptr;) {
        hoard.push_back(brush);
    }
    const auto brush = SendMessageW(harness.Control(ControlId::ChoiceFrame0), WM_CTLCOLORSTATIC,
                                    reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(note));
    const bool boxDuringThePaint = watcher.wait_for(std::chrono::milliseconds(300)) == std::future_status::ready;
    for (HBRUSH b : hoard) {
        DeleteObject(b);
    }
    ReleaseDC(note, dc);
    ASSERT_LT(hoard.size(), 100000U) << "the system never refused an object";
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE))) << "the paint goes on in button face";
    EXPECT_FALSE(boxDuringThePaint) << "no box from inside the paint";
    harness.Pump(); // the report comes now, from the message posted for it
    const SeenBox report = watcher.get();
    EXPECT_EQ(report.text.rfind(L"Run-time error '", 0), 0U) << report.text;
    EXPECT_EQ(report.title, L"Talmoran");
    EXPECT_FALSE(ReadAndDismissBox(std::chrono::milliseconds(500)).found) << "reported once";
    EXPECT_FALSE(IsWindow(harness.Handle())) << "the program ends";
    EXPECT_EQ(harness.Window().ExitCode(), 1);
}

// What the user sees: the client area's pixels and the order Tab walks from A.
struct Look {
    std::vector<std::uint32_t> pixels;
    std::vector<int> tabOrder;
    bool operator==(const Look&) const = default;
};

Look LookOf(const WindowHarness& harness)
{
    harness.Pump();
    UpdateWindow(harness.Handle());
    RECT client{};
    GetClientRect(harness.Handle(), &client);
    Look look{std::vector<std::uint32_t>(static_cast<std::size_t>(client.right * client.bottom)), {}};
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    HDC window = GetDC(harness.Handle());
    HDC memory = CreateCompatibleDC(window);
    HBITMAP bitmap = CreateCompatibleBitmap(window, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(client.bottom), look.pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(harness.Handle(), window);
    HWND at = harness.Control(Check1Id(0));
    do {
        look.tabOrder.push_back(GetDlgCtrlID(at));
    } while ((at = GetNextDlgTabItem(harness.Handle(), at, FALSE)) != harness.Control(Check1Id(0)) &&
             look.tabOrder.size() < 64);
    return look;
}

// The button face changed for the test and put back after it, whatever happens.
class ButtonFaceColour {
public:
    ButtonFaceColour() : original_(GetSysColor(COLOR_BTNFACE)) {}
    ~ButtonFaceColour() { Set(original_); }
    void Set(COLORREF colour) const
    {
        const INT element = COLOR_BTNFACE;
        SetSysColors(1, &element, &colour);
    }
    COLORREF original_;
};

TEST(ChangesWhileRunning, LeaveTheWindowAndItsTabOrderAsAFreshStartInThatStateShowsThem)
{
    WindowHarness running;
    const UINT dpi = running.Dpi();
    const ButtonFaceColour colour;
    const bool themed = IsAppThemed() != FALSE;
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"a DPI change and back", [&] { ChangeDpi(running, dpi * 5 / 4), ChangeDpi(running, dpi); }},
        {"the button face colour changed", [&] { colour.Set(RGB(200, 220, 240)); }},
        {"the button face colour put back", [&] { colour.Set(colour.original_); }},
        {"the theme switched off", [&] { themed ? (void)EnableTheming(FALSE) : (void)0; }},
        {"the theme switched on", [&] { themed ? (void)EnableTheming(TRUE) : (void)0; }},
    };
    for (const auto& [name, change] : changes) {
        change();
        SetForegroundWindow(running.Handle());
        const Look seen = LookOf(running);
        const WindowHarness fresh;
        const Look expected = LookOf(fresh);
        EXPECT_EQ(seen.tabOrder, expected.tabOrder) << name;
        const auto differing = std::inner_product(seen.pixels.begin(), seen.pixels.end(), expected.pixels.begin(), 0,
                                                  std::plus<>(), std::not_equal_to<>());
        EXPECT_EQ(seen.pixels.size(), expected.pixels.size()) << name;
        EXPECT_EQ(differing, 0) << name << ": pixels that differ from a fresh start";
    }
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
    bench::OkPresser presser;
    Exercise(harness, 20, 2); // every lazy allocation of a first run happens here
    const bench::ProcessResources before = bench::MeasureProcessResources();
    Exercise(harness, 300, 30);
    const bench::ProcessResources after = bench::MeasureProcessResources();
    EXPECT_EQ(presser.Stop(), 320) << "one box a command";
    ASSERT_GT(before.gdiObjects, 0U);
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
    EXPECT_LE(after.windows, before.windows);
    EXPECT_LE(after.handles, before.handles + 2);
    DeletePolicyKey();
}

} // namespace
} // namespace talmoran::test
