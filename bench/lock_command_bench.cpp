// Time of one Lock command without its message box: 27 real check boxes read,
// the mask built, the value written to the registry. Median of many runs.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/win32/Adapters.h"
#include "policy/DrivePolicies.h"

namespace {

// The box is what the user waits on; this measures the work before it.
class NoBox final : public talmoran::ModalMessageBox {
public:
    void Show(std::wstring_view) override {}
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int runs = argc > 1 ? _wtoi(argv[1]) : 1000;
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 500, 300, nullptr, nullptr, nullptr, nullptr);
    std::vector<HWND> boxes;
    for (int i = 0; i < 27; ++i) {
        boxes.push_back(CreateWindowExW(0, L"BUTTON", L"X", WS_CHILD | BS_AUTOCHECKBOX, 10 * i, 0, 10, 10, parent,
                                        nullptr, nullptr, nullptr));
    }
    SendMessageW(boxes[2], BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(boxes[3], BM_SETCHECK, BST_CHECKED, 0);

    talmoran::win32::Win32CheckBoxes Check1(boxes);
    talmoran::win32::Win32CurrentUserRegistry registry;
    NoBox box;
    std::wstring PolicyPath;
    talmoran::Int32 DriveMask = 0;
    const talmoran::CommandContext context{Check1, registry, box, PolicyPath, DriveMask};

    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        talmoran::RunCommand(talmoran::Command::Lock, context);
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("lock command (27 boxes read, mask built, value written, no box): %d runs, median %.1f us, "
                "p90 %.1f us, max %.1f us; NoViewOnDrive = %d\n",
                runs, micros[micros.size() / 2], micros[micros.size() * 9 / 10], micros.back(), DriveMask);
    DestroyWindow(parent);
    return 0;
}
