// The real window under Wine: geometry, layout at the running DPI, tab order,
// the tab pages, the buttons and their boxes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <cstdlib>

#include "platform/Twips.h"
#include "tests/win/BoxWatcher.h"
#include "tests/win/PrefixRegistry.h"
#include "tests/win/WindowHarness.h"

namespace talmoran::test {
namespace {

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override { DeletePolicyKey(); }
    void TearDown() override { DeletePolicyKey(); }
    WindowHarness harness;
};

TEST_F(RealWindow, RunsAtTheDpiTheTestAskedFor)
{
    const char* expected = std::getenv("TALMORAN_EXPECT_DPI");
    EXPECT_EQ(harness.Dpi(), expected != nullptr ? static_cast<UINT>(std::atoi(expected)) : 96U);
}

TEST_F(RealWindow, IsSevenThousandByFourThousandTwipsAndCentred)
{
    RECT outer{};
    GetWindowRect(harness.Handle(), &outer);
    const UINT dpi = harness.Dpi();
    EXPECT_NEAR(PixelsToTwips(outer.right - outer.left, dpi), 7000, 1440.0 / dpi);
    EXPECT_NEAR(PixelsToTwips(outer.bottom - outer.top, dpi), 4000, 1440.0 / dpi);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    std::printf("screen %dx%d pixels, window at %ld,%ld\n", screenWidth, screenHeight, outer.left, outer.top);
    EXPECT_NEAR(outer.left, (screenWidth - (outer.right - outer.left)) / 2.0, 1.0) << "screen " << screenWidth;
    EXPECT_NEAR(outer.top, (screenHeight - (outer.bottom - outer.top)) / 2.0, 1.0) << "screen " << screenHeight;
}

TEST_F(RealWindow, HasAFixedBorderNoMinimizeOrMaximizeBoxAndItsCaption)
{
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(harness.Handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0U);
    EXPECT_NE(style & WS_SYSMENU, 0U);
    EXPECT_EQ(TextOf(harness.Handle()), L"Talmoran (talmoran@example.org)");
}

TEST_F(RealWindow, EveryControlHasItsCaptionAndItsRectangleAtThisDpi)
{
    const UINT dpi = harness.Dpi();
    const auto pixels = [dpi](const TwipsRect& r) {
        return RECT{TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi),
                    TwipsToPixels(r.left, dpi) + TwipsToPixels(r.width, dpi),
                    TwipsToPixels(r.top, dpi) + TwipsToPixels(r.height, dpi)};
    };
    for (const ControlSpec& row : Controls()) {
        HWND control = harness.Control(row.id);
        ASSERT_NE(control, nullptr);
        // The pages share the first page's place once the load step stacked them.
        const TwipsRect laidOut =
            row.id == ControlId::ChoiceFrame1 ? ControlById(ControlId::ChoiceFrame0).rect : row.rect;
        const RECT expected = pixels(laidOut);
        const RECT actual = RectInParent(control);
        EXPECT_EQ(actual.left, expected.left) << static_cast<int>(row.id);
        EXPECT_EQ(actual.top, expected.top) << static_cast<int>(row.id);
        EXPECT_EQ(actual.right, expected.right) << static_cast<int>(row.id);
        EXPECT_EQ(actual.bottom, expected.bottom) << static_cast<int>(row.id);
        if (row.kind != ControlKind::TabStrip) {
            EXPECT_EQ(TextOf(control), row.text);
        }
        EXPECT_EQ(GetDlgCtrlID(control), static_cast<int>(row.id));
    }
    HWND tabs = harness.Control(ControlId::TabStrip1);
    ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    for (int i = 0; i < 2; ++i) {
        wchar_t caption[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = 64;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::wstring_view(caption), kTabCaptions.at(static_cast<std::size_t>(i)));
    }
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
    wchar_t buffer[128] = {};
    buffer[0] = 127; // EM_GETLINE reads the buffer's size from its first word
    const auto length = SendMessageW(note, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer));
    return std::wstring(buffer, static_cast<std::size_t>(length));
}

TEST_F(RealWindow, UsesAFixedPitchFontWithAnEightPixelCellScaledToTheDpi)
{
    const auto& font = harness.Window().Font();
    const int wanted = MulDiv(8, static_cast<int>(harness.Dpi()), 96);
    EXPECT_GE(font.cellWidth, wanted - 1) << "face " << std::string(font.face.begin(), font.face.end());
    EXPECT_LE(font.cellWidth, wanted);
    if (harness.Dpi() == 96) {
        EXPECT_EQ(font.face, L"Fixedsys") << "the system has it at 96 DPI";
    }
}

TEST_F(RealWindow, EveryCaptionFitsItsControlAndEachNoteKeepsItsTwoLines)
{
    const int checkGlyph = GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE);
    for (const ControlSpec& row : Controls()) {
        HWND control = harness.Control(row.id);
        RECT client{};
        GetClientRect(control, &client);
        const SIZE text = TextExtent(control, std::wstring(row.text));
        if (row.kind == ControlKind::Button) {
            EXPECT_LE(text.cx + 4 * GetSystemMetrics(SM_CXEDGE), client.right) << TextOf(control);
            EXPECT_LE(text.cy, client.bottom) << TextOf(control);
        } else if (row.kind == ControlKind::CheckBox) {
            EXPECT_LE(checkGlyph + text.cx, client.right) << TextOf(control);
            EXPECT_LE(text.cy, client.bottom + 2) << TextOf(control);
        }
    }
    const struct {
        ControlId note;
        const wchar_t* first;
    } notes[] = {{ControlId::Text2, L"If you want to lock any drive(s) previous action "},
                 {ControlId::Text3, L"If you want to hide any drive(s) previous action "}};
    for (const auto& [id, first] : notes) {
        HWND note = harness.Control(id);
        EXPECT_EQ(NoteLine(note, 0), first);
        EXPECT_EQ(NoteLine(note, 1), L"has been canceled.");
        const auto lineHeight = TextExtent(note, L"X").cy;
        RECT client{};
        GetClientRect(note, &client);
        EXPECT_LE(2 * lineHeight, client.bottom) << "both lines show";
    }
}

TEST_F(RealWindow, MovedToAScreenOfAnotherDpiItTakesTheSuggestedPlaceAndLaysOutAgain)
{
    const UINT newDpi = harness.Dpi() * 5 / 4; // still fits a 1024 x 768 screen at 144 DPI
    harness.ClickTab(2);
    HFONT oldFont = reinterpret_cast<HFONT>(SendMessageW(harness.Control(ControlId::Lock), WM_GETFONT, 0, 0));
    RECT suggested{10, 20, 10 + MulDiv(7000, static_cast<int>(newDpi), 1440),
                   20 + MulDiv(4000, static_cast<int>(newDpi), 1440)};
    SendMessageW(harness.Handle(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));

    RECT outer{};
    GetWindowRect(harness.Handle(), &outer);
    EXPECT_TRUE(EqualRect(&outer, &suggested));
    const TwipsRect lock = ControlById(ControlId::Lock).rect;
    const RECT button = RectInParent(harness.Control(ControlId::Lock));
    EXPECT_EQ(button.right - button.left, TwipsToPixels(lock.width, newDpi));
    const RECT lockPage = RectInParent(harness.Control(ControlId::ChoiceFrame0));
    const RECT hidePage = RectInParent(harness.Control(ControlId::ChoiceFrame1));
    EXPECT_TRUE(EqualRect(&lockPage, &hidePage)) << "the pages still share one place";
    EXPECT_TRUE(IsWindowVisible(harness.Control(ControlId::ChoiceFrame1))) << "the page shown stays shown";
    for (const ControlSpec& row : Controls()) {
        if (row.kind == ControlKind::Frame) {
            continue; // a frame draws no text
        }
        EXPECT_EQ(SendMessageW(harness.Control(row.id), WM_GETFONT, 0, 0),
                  reinterpret_cast<LRESULT>(harness.Window().Font().font.Get()));
    }
    EXPECT_GE(harness.Window().Font().cellWidth, MulDiv(8, static_cast<int>(newDpi), 96) - 1);
    EXPECT_EQ(GetObjectType(oldFont), 0U) << "the old font is released once no child uses it";
}

TEST_F(RealWindow, StartsWithNoTickWhateverPoliciesAreSet)
{
    SetPolicyDword(L"NoViewOnDrive", 0x3FFFFFF);
    SetPolicyDword(L"NoDrives", 4);
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
    expected.push_back(harness.Control(ControlId::Lock));
    expected.push_back(harness.Control(ControlId::Unlock));
    expected.push_back(harness.Control(ControlId::TabStrip1));
    expected.push_back(harness.Control(Check1Id(0)));

    HWND focus = GetFocus();
    ASSERT_EQ(focus, expected.front()) << "the focus starts on A";
    for (std::size_t step = 1; step < expected.size(); ++step) {
        focus = GetNextDlgTabItem(harness.Handle(), focus, FALSE);
        EXPECT_EQ(focus, expected[step]) << "step " << step << ": " << TextOf(focus);
    }

    harness.ClickTab(2);
    EXPECT_EQ(GetNextDlgTabItem(harness.Handle(), harness.Control(Check1Id(26)), FALSE),
              harness.Control(ControlId::Hide));
    EXPECT_EQ(GetNextDlgTabItem(harness.Handle(), harness.Control(ControlId::Hide), FALSE),
              harness.Control(ControlId::Unhide));
}

TEST_F(RealWindow, ClickingATabSwapsThePageFramesAndTicksStay)
{
    HWND lockPage = harness.Control(ControlId::ChoiceFrame0);
    HWND hidePage = harness.Control(ControlId::ChoiceFrame1);
    harness.Tick(2);
    harness.Tick(26);
    ASSERT_EQ(harness.Window().Variables().CurrentPage, 1);
    ASSERT_TRUE(IsWindowVisible(lockPage));
    ASSERT_FALSE(IsWindowVisible(hidePage));

    harness.ClickTab(2);
    EXPECT_EQ(harness.Window().Variables().CurrentPage, 2);
    EXPECT_FALSE(IsWindowVisible(lockPage));
    EXPECT_TRUE(IsWindowVisible(hidePage));
    const RECT a = RectInParent(lockPage);
    const RECT b = RectInParent(hidePage);
    EXPECT_TRUE(EqualRect(&a, &b)) << "both pages lie on one place";
    EXPECT_TRUE(harness.IsTicked(2));
    EXPECT_TRUE(harness.IsTicked(26));

    harness.ClickTab(1);
    EXPECT_EQ(harness.Window().Variables().CurrentPage, 1);
    EXPECT_TRUE(IsWindowVisible(lockPage));
    EXPECT_FALSE(IsWindowVisible(hidePage));
    EXPECT_TRUE(harness.IsTicked(2));
}

TEST_F(RealWindow, AnErrorInATabClickIsReportedAndEndsTheProgram)
{
    // A tab with no page behind it, as a broken build could have: selecting
    // it asks for ChoiceFrame(2).
    HWND tabs = harness.Control(ControlId::TabStrip1);
    wchar_t caption[] = L"Broken";
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    SendMessageW(tabs, TCM_INSERTITEMW, 2, reinterpret_cast<LPARAM>(&item));
    auto watcher = WatchForBox();
    harness.ClickTab(3);
    const SeenBox report = watcher.get();
    harness.Pump();
    ASSERT_TRUE(report.found);
    EXPECT_EQ(report.title, L"Talmoran");
    EXPECT_EQ(report.text, L"Run-time error '9':\r\n\r\nSubscript out of range");
    EXPECT_EQ(report.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(IsWindow(harness.Handle())) << "the program ends";
    EXPECT_NE(harness.Window().ExitCode(), 0);
}

// Presses and releases a key with an optional Alt held, as the keyboard does.
void SendKey(WORD key, bool alt)
{
    std::vector<INPUT> inputs;
    const auto push = [&inputs](WORD vk, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (alt)
        push(VK_MENU, 0);
    push(key, 0);
    push(key, KEYEVENTF_KEYUP);
    if (alt)
        push(VK_MENU, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

TEST_F(RealWindow, WhileABoxIsOpenTheWindowTakesNoClicksOrAccessKeys)
{
    harness.Tick(2);
    HWND lock = harness.Control(ControlId::Lock);
    RECT button{};
    GetClientRect(lock, &button);
    const POINT centre{button.right / 2, button.bottom / 2};

    // The first click opens a box; the burst that follows lands on a
    // disabled window. The box is read and closed only after the burst.
    std::atomic<bool> burstDone{false};
    std::vector<SeenBox> boxes;
    std::thread user([&] {
        const DWORD pid = GetCurrentProcessId();
        SeenBox first = ReadAndDismissBox(pid, std::chrono::seconds(0)); // nothing open yet
        EXPECT_FALSE(first.found);
        while (!burstDone) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        for (SeenBox box; (box = ReadAndDismissBox(pid, std::chrono::seconds(2))).found;) {
            boxes.push_back(box);
        }
    });
    PostMessageW(lock, BM_CLICK, 0, 0);
    std::thread burst([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300)); // the box is up by now
        for (int i = 0; i < 5; ++i) {
            SendClick(lock, centre);
            SendKey('L', true);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        burstDone = true;
    });
    // The window's loop runs the first box's modal loop meanwhile, then
    // goes on long enough for any click or key the burst queued to act.
    for (int i = 0; i < 300; ++i) {
        harness.Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    burst.join();
    user.join();
    harness.Pump();
    ASSERT_EQ(boxes.size(), 1U) << "one box for the first click, none for the burst";
    EXPECT_TRUE(boxes[0].ownerDisabled);
    EXPECT_EQ(ReadPolicyValue(L"NoViewOnDrive")->dword, 4U);
}

struct ButtonCase {
    ControlId button;
    int page;
    const wchar_t* valueName;
    std::uint32_t written; // with C and D ticked
    const wchar_t* message;
};

class RealButtons : public RealWindow, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(RealButtons, WriteTheRegistryAndRaiseTheBoxWhileTheWindowIsDisabled)
{
    harness.ClickTab(GetParam().page);
    harness.Tick(2);
    harness.Tick(3);
    auto watcher = WatchForBox();
    SendMessageW(harness.Control(GetParam().button), BM_CLICK, 0, 0);
    const SeenBox seen = watcher.get();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, GetParam().message);
    EXPECT_EQ(seen.title, L"Talmoran");
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.owner, harness.Handle());
    EXPECT_TRUE(seen.ownerDisabled) << "the window takes no input while the box is open";
    EXPECT_TRUE(IsWindowEnabled(harness.Handle())) << "and takes it again afterwards";
    const auto stored = ReadPolicyValue(GetParam().valueName);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->dword, GetParam().written);
    EXPECT_TRUE(harness.IsTicked(2)) << "commands change no tick";
}

INSTANTIATE_TEST_SUITE_P(
    FourButtons, RealButtons,
    ::testing::Values(ButtonCase{ControlId::Lock, 1, L"NoViewOnDrive", 12,
                                 L"Your seleted Drive(s) will be Lock after restart or re-login your windows."},
                      ButtonCase{ControlId::Unlock, 1, L"NoViewOnDrive", 0,
                                 L"All Locked Drive(s) will be Unlock after restart or re-login your windows."},
                      ButtonCase{ControlId::Hide, 2, L"NoDrives", 12,
                                 L"Your seleted Drive(s) will Hide after restart or re-login your windows."},
                      ButtonCase{ControlId::Unhide, 2, L"NoDrives", 0,
                                 L"All Hidden Drive(s) will Show after restart or re-login your windows."}));

} // namespace
} // namespace talmoran::test
