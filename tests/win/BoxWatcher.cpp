#include "tests/win/BoxWatcher.h"

#include <thread>

namespace talmoran::test {
namespace {

std::wstring TextOf(HWND window)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

std::wstring ClassOf(HWND window)
{
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

struct Search {
    DWORD pid;
    HWND box;
};

HWND FindBox(DWORD pid)
{
    Search search{pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window) && ClassOf(window) == L"#32770") {
                s->box = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.box;
}

SeenBox Read(HWND box)
{
    SeenBox seen;
    seen.found = true;
    seen.title = TextOf(box);
    seen.owner = GetWindow(box, GW_OWNER);
    seen.ownerDisabled = seen.owner != nullptr && !IsWindowEnabled(seen.owner);
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring kind = ClassOf(child);
        if (kind == L"Button" && IsWindowVisible(child)) {
            seen.buttons.push_back(TextOf(child));
        } else if (kind == L"Static" && !TextOf(child).empty()) {
            seen.text = TextOf(child);
        }
    }
    return seen;
}

void Dismiss(HWND box)
{
    HWND first = FindWindowExW(box, nullptr, L"Button", nullptr);
    if (first != nullptr) {
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(first), BN_CLICKED), reinterpret_cast<LPARAM>(first));
    }
}

} // namespace

SeenBox ReadAndDismissBox(DWORD pid, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (HWND box = FindBox(pid)) {
            // Let the box finish laying itself out before reading it.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            SeenBox seen = Read(box);
            Dismiss(box);
            while (IsWindow(box) && IsWindowVisible(box) && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            return seen;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return {};
}

BoxDismisser::BoxDismisser(DWORD pid)
    : worker_(std::async(std::launch::async, [this, pid] {
          std::vector<SeenBox> seen;
          while (!stop_) {
              SeenBox box = ReadAndDismissBox(pid, std::chrono::milliseconds(50));
              if (box.found) {
                  seen.push_back(std::move(box));
              }
          }
          return seen;
      }))
{
}

BoxDismisser::~BoxDismisser()
{
    stop_ = true;
}

std::vector<SeenBox> BoxDismisser::Stop()
{
    stop_ = true;
    return worker_.get();
}

} // namespace talmoran::test
