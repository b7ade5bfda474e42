#include "testkit/BoxPresser.h"

#include "testkit/Windows.h"

namespace talmoran::testkit {
namespace {

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

SeenBox Read(HWND box)
{
    SeenBox seen{TextOf(box), {}, {}, GetWindow(box, GW_OWNER)};
    seen.ownerDisabled = seen.owner != nullptr && IsWindowEnabled(seen.owner) == FALSE;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"Button" && IsWindowVisible(child)) {
            seen.buttons.push_back(TextOf(child));
        } else if (ClassOf(child) == L"Static" && !TextOf(child).empty()) {
            seen.text = TextOf(child);
        }
    }
    return seen;
}

HWND VisibleBoxOf(DWORD process)
{
    for (HWND window : WindowsOf(process)) {
        if (ClassOf(window) == L"#32770" && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

BoxPresser::BoxPresser(DWORD process) : thread_([this, process] { Watch(process); }) {}

BoxPresser::~BoxPresser()
{
    stop_ = true;
    thread_.join();
}

void BoxPresser::Watch(DWORD process)
{
    for (; !stop_; std::this_thread::sleep_for(std::chrono::milliseconds(1))) {
        HWND box = VisibleBoxOf(process);
        if (box == nullptr) {
            continue;
        }
        SeenBox seen = Read(box);
        {
            const std::lock_guard lock(mutex_);
            seen_.push_back(std::move(seen));
        }
        HWND first = FindWindowExW(box, nullptr, L"Button", nullptr);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(first), BN_CLICKED), reinterpret_cast<LPARAM>(first));
        while (IsWindow(box) && IsWindowVisible(box) && !stop_) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
}

std::optional<SeenBox> BoxPresser::Next(std::chrono::milliseconds timeout)
{
    for (const auto deadline = std::chrono::steady_clock::now() + timeout;;
         std::this_thread::sleep_for(std::chrono::milliseconds(2))) {
        const std::lock_guard lock(mutex_);
        if (!seen_.empty()) {
            SeenBox first = std::move(seen_.front());
            seen_.pop_front();
            return first;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
    }
}

std::vector<SeenBox> BoxPresser::Take()
{
    const std::lock_guard lock(mutex_);
    std::vector<SeenBox> all(std::make_move_iterator(seen_.begin()), std::make_move_iterator(seen_.end()));
    seen_.clear();
    return all;
}

} // namespace talmoran::testkit
