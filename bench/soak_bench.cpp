// 10,000 commands in a row on the real window, each with its real box
// pressed away by a second thread, with this process's resources every 1,000;
// then, as the control, as many bare MessageBoxW calls in the same harness,
// so that growth can be told apart: ours, or the box's own.
//   soak_bench.exe [commands]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "app/win32/TalmoranWindow.h"
#include "testkit/BoxPresser.h"
#include "testkit/ProcessResources.h"
#include "testkit/Windows.h"
#include "policy/DrivePolicies.h"

namespace {

// Committed private memory, counted by hand: Wine 8 answers PrivateUsage with 0.
SIZE_T CommittedPrivateBytes()
{
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* address = static_cast<BYTE*>(nullptr); VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<BYTE*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
    }
    return total;
}

// Runs `step` `count` times, printing the resources every 1,000; returns the
// growth of private bytes per step after the first 1,000. What the presser
// kept of each box is dropped before each count: only the program's growth
// is measured.
template <typename Step> double Soak(const char* what, int count, talmoran::testkit::BoxPresser& presser, Step step)
{
    SIZE_T first = 0;
    for (int i = 1; i <= count; ++i) {
        step(i);
        if (i % 1000 == 0) {
            talmoran::testkit::Pump();
            (void)presser.Take();
            const auto r = talmoran::testkit::MeasureProcessResources();
            const SIZE_T bytes = CommittedPrivateBytes();
            first = i == 1000 ? bytes : first;
            std::printf("%s after %5d: GDI objects %lu, windows %lu, handles %lu, private bytes %llu\n", what, i,
                        r.gdiObjects, r.windows, r.handles, static_cast<unsigned long long>(bytes));
            if (i == count && count > 1000) {
                return (static_cast<double>(bytes) - static_cast<double>(first)) / (count - 1000);
            }
        }
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int count = argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 10000;
    // The commands' own key, cleared before and after.
    const std::wstring policyKey(talmoran::kPolicyKeyPath);
    RegDeleteTreeW(HKEY_CURRENT_USER, policyKey.c_str());
    auto window = talmoran::TalmoranWindow::Create(GetModuleHandleW(nullptr));
    window->Load();
    window->Show(SW_SHOWNORMAL);
    SendMessageW(window->Control(talmoran::Check1Id(2)), BM_SETCHECK, BST_CHECKED, 0);
    const talmoran::ControlId buttons[] = {talmoran::ControlId::Lock, talmoran::ControlId::Unlock,
                                           talmoran::ControlId::Hide, talmoran::ControlId::Unhide};
    talmoran::testkit::BoxPresser presser;
    const double perCommand =
        Soak("commands", count, presser, [&](int i) { SendMessageW(window->Control(buttons[i % 4]), BM_CLICK, 0, 0); });
    const double perBox = Soak("bare boxes", count, presser, [&](int) {
        MessageBoxW(window->Handle(), L"Your seleted Drive(s) will be Lock after restart or re-login your windows.",
                    L"Talmoran", MB_OK);
    });
    std::printf("private bytes per step after the first 1,000: %.1f per command, %.1f per bare MessageBoxW\n",
                perCommand, perBox);
    RegDeleteTreeW(HKEY_CURRENT_USER, policyKey.c_str());
    return 0;
}
