// Keys and clicks as a user gives them, through the program's own message
// loop: TalmoranWindow::Run, all that wWinMain runs after hardening the DLL
// search. A second thread plays the user with SendInput and reads, after each
// key, where the focus is, which page shows, which box came up, and that
// every control is still there: the Tab and Shift+Tab walk on both pages,
// Esc, Enter and Space in each kind of control that takes the focus, a click
// into a note and then Esc and Tab, and the access keys on both pages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <thread>
#include <vector>

#include "tests/win/PrefixRegistry.h"
#include "tests/win/WindowHarness.h"

namespace talmoran::test {
namespace {

constexpr int kA = 200;
constexpr int kTabStrip = 108;

struct Page {
    int tab;
    int first, second, note; // the page's buttons and note
    int firstKey, otherPagesKey;
    const ExpectedCommand& firstCommand;
    const ExpectedCommand& secondCommand;
};
const Page kPages[] = {{1, 102, 103, 106, 'L', 'H', kExpectedCommands[0], kExpectedCommands[1]},
                       {2, 104, 105, 107, 'H', 'L', kExpectedCommands[2], kExpectedCommands[3]}};

class User {
public:
    explicit User(HWND window) : window_(window), thread_(GetWindowThreadProcessId(window, nullptr)) {}

    std::vector<std::string> faults;

    // A key with a modifier held, as a person presses Shift+Tab or Alt+L.
    void Press(int key, int modifier = 0)
    {
        std::vector<INPUT> inputs;
        for (const auto& [vk, flags] : {std::pair{modifier, 0}, std::pair{key, 0}, std::pair{key, KEYEVENTF_KEYUP},
                                        std::pair{modifier, KEYEVENTF_KEYUP}}) {
            if (vk != 0) {
                INPUT input{INPUT_KEYBOARD, {}};
                input.ki = {static_cast<WORD>(vk), 0, static_cast<DWORD>(flags), 0, 0};
                inputs.push_back(input);
            }
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        step_ = std::to_string(key) + "+" + std::to_string(modifier) + " on page " + std::to_string(page_);
    }

    void Click(int control)
    {
        RECT r{};
        GetWindowRect(Find(control), &r);
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        INPUT clicks[2] = {{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
        clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, clicks, sizeof(INPUT));
        step_ = "a click on " + std::to_string(control);
    }

    // After a key meant to move the focus or to change nothing else.
    void ExpectFocus(int control)
    {
        for (int i = 0; i < 200 && Focus() != control; ++i) {
            Sleep(10);
        }
        ExpectWhole();
        Expect(Focus() == control, "the focus is on " + std::to_string(Focus()) + ", not " + std::to_string(control));
        Expect(Boxes().Take().empty(), "a box came up");
    }

    // After a key meant to do nothing at all.
    void ExpectNothing()
    {
        const int focus = Focus();
        Sleep(60);
        ExpectFocus(focus);
    }

    void ExpectBox(const wchar_t* text)
    {
        const auto box = Boxes().Next(std::chrono::seconds(5));
        Expect(box && box->text == text, "not the box of the command meant");
        ExpectWhole();
    }

    void ExpectPage(int page)
    {
        page_ = page;
        for (int i = 0; i < 200 && Selected() != page; ++i) {
            Sleep(10);
        }
        ExpectWhole();
    }

    [[nodiscard]] int Focus() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread_, &info);
        return info.hwndFocus == nullptr ? 0 : GetDlgCtrlID(info.hwndFocus);
    }

private:
    void Expect(bool holds, const std::string& fault)
    {
        if (!holds) {
            faults.push_back(step_ + ": " + fault);
        }
    }

    [[nodiscard]] HWND Find(int control) const
    {
        HWND found = GetDlgItem(window_, control);
        for (const int frame : {100, 101}) {
            found = found != nullptr ? found : GetDlgItem(GetDlgItem(window_, frame), control);
        }
        return found;
    }

    [[nodiscard]] int Selected() const
    {
        return static_cast<int>(SendMessageW(Find(kTabStrip), TCM_GETCURSEL, 0, 0)) + 1;
    }

    // Every control is there; the selected tab's page is shown and enabled,
    // the other page neither.
    void ExpectWhole()
    {
        int controls = 0;
        EnumChildWindows(window_, [](HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count), TRUE; },
                         reinterpret_cast<LPARAM>(&controls));
        Expect(controls == 36, std::to_string(controls) + " controls");
        Expect(Selected() == page_, "tab " + std::to_string(Selected()) + " selected");
        for (const Page& p : kPages) {
            for (const int control : {p.first, p.second, p.note}) {
                const bool shown = IsWindowVisible(Find(control)) != FALSE && IsWindowEnabled(Find(control)) != FALSE;
                const bool hidden = IsWindowVisible(Find(control)) == FALSE && IsWindowEnabled(Find(control)) == FALSE;
                Expect(p.tab == page_ ? shown : hidden, "page " + std::to_string(p.tab) + " control " +
                                                            std::to_string(control) + " shown or enabled wrongly");
            }
        }
    }

    HWND window_;
    DWORD thread_;
    int page_ = 1;
    std::string step_ = "the start";
};

void Walk(User& user, const Page& page)
{
    std::vector<int> order;
    for (int box = kA; box <= kA + 26; ++box) {
        order.push_back(box);
    }
    order.insert(order.end(), {page.first, page.second, kTabStrip});
    for (std::size_t i = 1; i <= order.size(); ++i) {
        user.Press(VK_TAB);
        user.ExpectFocus(order[i % order.size()]);
    }
    for (std::size_t i = order.size(); i-- > 0;) {
        user.Press(VK_TAB, VK_SHIFT);
        user.ExpectFocus(order[i]);
    }
}

// On `page`, with the focus on box A; leaves it on the tab strip.
void EveryKindOfControl(User& user, const Page& page)
{
    user.Press(VK_SPACE); // ticks A, which no command here reads
    user.ExpectFocus(kA);
    for (const int key : {VK_ESCAPE, VK_RETURN}) {
        user.Press(key);
        user.ExpectNothing();
    }
    for (const int place : {kTabStrip, page.second, page.first}) {
        user.Press(VK_TAB, VK_SHIFT);
        user.ExpectFocus(place);
        user.Press(VK_ESCAPE);
        user.ExpectNothing();
    }
    for (const int key : {VK_RETURN, VK_SPACE}) {
        user.Press(key);
        user.ExpectBox(page.firstCommand.success);
    }
    user.Press(VK_TAB);
    user.ExpectFocus(page.second);
    user.Press(VK_RETURN);
    user.ExpectBox(page.secondCommand.success);
    user.Press(VK_TAB);
    user.ExpectFocus(kTabStrip);
    user.Press(VK_RETURN);
    user.ExpectNothing();
    user.Click(page.note); // a note takes no focus: it stays on the tab strip
    user.ExpectFocus(kTabStrip);
    user.Press(VK_ESCAPE);
    user.ExpectNothing();
    user.Press(VK_TAB);
    user.ExpectFocus(kA);
    user.Press(page.firstKey, VK_MENU);
    user.ExpectBox(page.firstCommand.success);
    user.Press('U', VK_MENU);
    user.ExpectBox(page.secondCommand.success);
    user.Press(page.otherPagesKey, VK_MENU); // a button of the hidden page
    user.ExpectNothing();
    for (int i = 0; i < 30 && user.Focus() != kTabStrip; ++i) { // wherever the access keys left the focus
        user.Press(VK_TAB);
        Sleep(60);
    }
    user.ExpectFocus(kTabStrip);
}

TEST(UserInput, EveryKeyInEveryKindOfControlOnBothPagesDoesWhatItMeans)
{
    DeletePolicyKey();
    for (MSG stale{}; PeekMessageW(&stale, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;) {
    } // a quit left by an earlier window would end the loop at once
    std::vector<std::string> faults;
    std::thread user([&faults] {
        HWND window = nullptr;
        for (int i = 0; i < 1000 && (window = FindWindowW(kWindowClassName, nullptr)) == nullptr; ++i) {
            Sleep(10);
        }
        User person(window);
        person.ExpectFocus(kA);
        for (const Page& page : kPages) {
            Walk(person, page);
            EveryKindOfControl(person, page);
            person.Press(page.tab == 1 ? VK_RIGHT : VK_LEFT);
            person.ExpectPage(page.tab == 1 ? 2 : 1);
            person.Press(VK_TAB);
            person.ExpectFocus(kA);
        }
        faults = person.faults;
        PostMessageW(window, WM_CLOSE, 0, 0);
    });
    const int exitCode = TalmoranWindow::Run(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    user.join();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(faults, std::vector<std::string>{});
    DeletePolicyKey();
}

} // namespace
} // namespace talmoran::test
