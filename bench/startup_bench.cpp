// Start-up time, from process start to the main window visible, of
// talmoran.exe against a minimal one-window program, alternated in one run.
//   startup_bench.exe <talmoran.exe> <minimal_window.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

HWND VisibleWindowOf(DWORD pid)
{
    Search search{pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->pid && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Milliseconds from CreateProcess to the first visible top-level window.
double TimeToWindow(const std::wstring& exe)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    HWND window = nullptr;
    while ((window = VisibleWindowOf(process.dwProcessId)) == nullptr) {
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
        std::this_thread::yield();
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (window != nullptr) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return window != nullptr ? ms : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fputs("usage: startup_bench talmoran.exe minimal_window.exe [runs]\n", stderr);
        return 2;
    }
    const int runs = argc > 3 ? _wtoi(argv[3]) : 15;
    TimeToWindow(argv[1]); // warm the file cache and Wine's DLLs for both
    TimeToWindow(argv[2]);
    std::vector<double> talmoran;
    std::vector<double> minimal;
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i) {
        talmoran.push_back(TimeToWindow(argv[1]));
        minimal.push_back(TimeToWindow(argv[2]));
        ratios.push_back(talmoran.back() / minimal.back());
    }
    std::printf("start-up to visible window, %d alternated runs each: talmoran.exe median %.1f ms, "
                "minimal window median %.1f ms, median ratio %.3f\n",
                runs, Median(talmoran), Median(minimal), Median(ratios));
    return std::any_of(talmoran.begin(), talmoran.end(), [](double t) { return t < 0; }) ? 1 : 0;
}
