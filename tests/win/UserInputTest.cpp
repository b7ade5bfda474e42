// Keys and clicks as a user gives them, through the program's own message
// loop: TalmoranWindow::Run, all that wWinMain runs after hardening the DLL
// search. A second thread plays the user with SendInput: the Tab and
// Shift+Tab walk, Esc and Enter in each kind of control that takes the focus,
// a click into a note and then Esc and Tab, and the access keys, on both
// pages, the second after a move to a screen of another DPI. After each step
// it checks where the focus is, which command's box came up, if any, and that
// every control is still there with only the selected tab's page shown and
// enabled.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/win/WindowHarness.h"

namespace talmoran::test {
namespace {

constexpr ControlId kA = Check1Id(0);
constexpr ControlId kTabStrip = ControlId::TabStrip1;
constexpr ControlId kAnywhere = ControlId::Window; // a step's focus: not checked
constexpr int kClickNote = -1;                     // a step's "key": a click into the page's note
constexpr int kClickTab = -2;                      // a click on the selected tab
constexpr int kNewDpi = -3;                        // the window moved to a screen of another DPI
constexpr int kNoBox = -1;                         // a step's command: none

struct Step {
    int key;
    int modifier;
    ControlId focus;
    int command = kNoBox; // an index into kExpectedCommands
    int page = 0;         // the page shown after it; 0: the one shown before
};

struct Page {
    int tab;
    ControlId first, second, note; // the page's buttons and note
    int firstKey, otherPagesKey;
    int firstCommand; // its second command follows it in kExpectedCommands
};
constexpr Page kPages[] = {{1, ControlId::Lock, ControlId::Unlock, ControlId::Text2, 'L', 'H', 0},
                           {2, ControlId::Hide, ControlId::Unhide, ControlId::Text3, 'H', 'L', 2}};

// From box A on `page`, back to box A on the other page. The second page is
// walked after a move to a screen of another DPI: the walk is as at start.
std::vector<Step> StepsOn(const Page& p)
{
    std::vector<ControlId> order;
    for (int box = 0; box <= 26; ++box) {
        order.push_back(Check1Id(box));
    }
    order.insert(order.end(), {p.first, p.second, kTabStrip});
    std::vector<Step> steps;
    if (p.tab == 2) {
        steps.push_back({kNewDpi, 0, kAnywhere});
    }
    for (std::size_t i = 1; i <= order.size(); ++i) {
        steps.push_back({VK_TAB, 0, order[i % order.size()]});
    }
    for (std::size_t i = order.size(); i-- > 0;) {
        steps.push_back({VK_TAB, VK_SHIFT, order[i]});
    }
    const int first = p.firstCommand;
    const int second = first + 1;
    const int other = p.tab == 1 ? 2 : 1;
    // One row a control, as a person would try it.
    // clang-format off
    steps.insert(steps.end(), {
        {VK_ESCAPE, 0, kA}, {VK_RETURN, 0, kA}, {VK_SPACE, 0, kA},  // a check box
        {VK_TAB, VK_SHIFT, kTabStrip}, {VK_ESCAPE, 0, kTabStrip}, {VK_RETURN, 0, kTabStrip},
        {VK_TAB, VK_SHIFT, p.second}, {VK_ESCAPE, 0, p.second}, {VK_RETURN, 0, p.second, second},
        {VK_TAB, VK_SHIFT, p.first}, {VK_ESCAPE, 0, p.first}, {VK_RETURN, 0, p.first, first},
        {VK_SPACE, 0, p.first, first}, {VK_TAB, 0, p.second}, {VK_TAB, 0, kTabStrip},
        {kClickNote, 0, kTabStrip}, {VK_ESCAPE, 0, kTabStrip}, {VK_TAB, 0, kA}, // a note takes no focus
        {p.firstKey, VK_MENU, kAnywhere, first}, {'U', VK_MENU, kAnywhere, second},
        {VK_RETURN, 0, kAnywhere, second}, // where the access key left the focus, not by the dialog keys
        {p.otherPagesKey, VK_MENU, kAnywhere}, // a button of the hidden page
        {kClickTab, 0, kTabStrip}, {other == 2 ? VK_RIGHT : VK_LEFT, 0, kTabStrip, kNoBox, other}, {VK_TAB, 0, kA},
    });
    // clang-format on
    return steps;
}

class Player {
public:
    explicit Player(HWND window) : window_(window), thread_(GetWindowThreadProcessId(window, nullptr)) {}

    // Throws at the first fault, so that a broken build fails in seconds.
    void Play(const Step& step, const Page& page)
    {
        const ControlId before = Focus();
        const int shown = step.page != 0 ? step.page : page_;
        // A step that raises no box and names no focus must leave the focus where it was.
        const ControlId focus = step.focus != kAnywhere || step.command != kNoBox ? step.focus : before;
        step.key == kClickNote  ? Click(Find(page.note), 0.3, 0.3)
        : step.key == kClickTab ? Click(Find(kTabStrip), page.tab == 1 ? 0.13 : 0.40, 0.05)
        : step.key == kNewDpi   ? (void)ChangeDpi(window_, win32::DpiOf(window_) * 5 / 4)
                                : Press(step.key, step.modifier);
        where_ = "key " + std::to_string(step.key) + "+" + std::to_string(step.modifier) + " on page " +
                 std::to_string(page_) + " from " + Name(before);
        if (step.command != kNoBox) {
            const auto box = Boxes().Next(std::chrono::seconds(5));
            Expect(box && box->text == kExpectedCommands[step.command].success, "not the box of the command meant");
        } else if (focus == before && shown == page_) {
            Sleep(60); // nothing is meant to happen: long enough for a fault to show
        }
        // A box's step ends once the focus is back in the window, so that the next key is not the box's.
        for (int i = 0;
             i < 200 && ((focus != kAnywhere ? Focus() != focus : Focus() == kAnywhere) || Selected() != shown); ++i) {
            Sleep(10);
        }
        Expect(Boxes().Take().empty(), "a box came up");
        page_ = shown;
        Expect(focus == kAnywhere || Focus() == focus, "the focus is on " + Name(Focus()));
        ExpectWhole();
    }

private:
    static void Press(int key, int modifier)
    {
        std::vector<INPUT> inputs;
        for (const auto& [vk, flags] : {std::pair{modifier, 0}, std::pair{key, 0}, std::pair{key, KEYEVENTF_KEYUP},
                                        std::pair{modifier, KEYEVENTF_KEYUP}}) {
            INPUT input{INPUT_KEYBOARD, {}};
            input.ki = {static_cast<WORD>(vk), 0, static_cast<DWORD>(flags), 0, 0};
            if (vk != 0) {
                inputs.push_back(input);
            }
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    static void Click(HWND control, double across, double down)
    {
        RECT r{};
        GetWindowRect(control, &r);
        SetCursorPos(r.left + static_cast<int>((r.right - r.left) * across),
                     r.top + static_cast<int>((r.bottom - r.top) * down));
        INPUT clicks[2] = {{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, clicks, sizeof(INPUT));
    }

    [[nodiscard]] HWND Find(ControlId control) const
    {
        HWND found = GetDlgItem(window_, static_cast<int>(control));
        for (const ControlId frame : {ControlId::ChoiceFrame0, ControlId::ChoiceFrame1}) {
            found = found != nullptr
                        ? found
                        : GetDlgItem(GetDlgItem(window_, static_cast<int>(frame)), static_cast<int>(control));
        }
        return found;
    }

    static std::string Name(ControlId control) { return std::to_string(static_cast<int>(control)); }

    void Expect(bool holds, const std::string& fault) const
    {
        if (!holds) {
            throw std::runtime_error(where_ + ": " + fault);
        }
    }

    [[nodiscard]] ControlId Focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread_, &info);
        return static_cast<ControlId>(GetAncestor(info.hwndFocus, GA_ROOT) == window_ ? GetDlgCtrlID(info.hwndFocus)
                                                                                      : 0);
    }

    [[nodiscard]] int Selected() const
    {
        return static_cast<int>(SendMessageW(Find(kTabStrip), TCM_GETCURSEL, 0, 0)) + 1;
    }

    // Every control is there; the selected tab's page is shown and enabled,
    // the other page neither, so that its access keys reach nothing.
    void ExpectWhole() const
    {
        int controls = 0;
        EnumChildWindows(
            window_, [](HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count), TRUE; },
            reinterpret_cast<LPARAM>(&controls));
        Expect(controls == 36 && Selected() == page_,
               std::to_string(controls) + " controls, tab " + std::to_string(Selected()) + " selected");
        for (const Page& p : kPages) {
            HWND frame = GetParent(Find(p.first));
            Expect((IsWindowVisible(frame) != FALSE) == (p.tab == page_) &&
                       (IsWindowEnabled(Find(p.first)) != FALSE) == (p.tab == page_),
                   "page " + std::to_string(p.tab) + " shown or enabled wrongly");
        }
    }

    HWND window_;
    DWORD thread_;
    int page_ = 1;
    std::string where_;
};

TEST(UserInput, EveryKeyInEveryKindOfControlOnBothPagesDoesWhatItMeans)
{
    for (MSG stale{}; PeekMessageW(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;) {
    } // a quit left by an earlier window would end the loop at once
    std::string fault;
    std::thread user([&fault] {
        HWND window = nullptr;
        for (int i = 0; i < 1000 && (window = FindWindowW(kWindowClassName, nullptr)) == nullptr; ++i) {
            Sleep(10);
        }
        try {
            Player player(window);
            player.Play({0, 0, kA}, kPages[0]); // the focus starts on box A
            for (const Page& page : kPages) {
                for (const Step& step : StepsOn(page)) {
                    player.Play(step, page);
                }
            }
        } catch (const std::exception& error) {
            fault = error.what();
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    const int exitCode = TalmoranWindow::Run(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    user.join();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(fault, "");
    DeletePolicyKey();
}

} // namespace
} // namespace talmoran::test
