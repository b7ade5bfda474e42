// Start-up time, from process start to the main window visible, of
// talmoran.exe against the same window with plain controls (the floor) and
// against an empty window, alternated in one run.
//   startup_bench.exe <talmoran.exe> <plain_controls_window.exe> <minimal_window.exe> [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "testkit/Windows.h"

namespace {

HWND VisibleWindowOf(DWORD pid)
{
    for (HWND window : talmoran::testkit::WindowsOf(pid)) {
        if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
            return window;
        }
    }
    return nullptr;
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
    if (argc < 4) {
        std::fputs("usage: startup_bench talmoran.exe plain_controls_window.exe minimal_window.exe [runs]\n", stderr);
        return 2;
    }
    const int runs = argc > 4 ? _wtoi(argv[4]) : 15;
    constexpr int kPrograms = 3;
    std::vector<double> times[kPrograms];
    for (int p = 0; p < kPrograms; ++p) {
        TimeToWindow(argv[1 + p]); // warm the file cache and Wine's DLLs for each
    }
    std::vector<double> toPlain;
    std::vector<double> toEmpty;
    for (int i = 0; i < runs; ++i) {
        // Each round starts with the next program: a program started right
        // after another one exits starts slower, and no program should
        // always be the one that pays for it.
        for (int k = 0; k < kPrograms; ++k) {
            const int p = (i + k) % kPrograms;
            times[p].push_back(TimeToWindow(argv[1 + p]));
        }
        toPlain.push_back(times[0].back() / times[1].back());
        toEmpty.push_back(times[0].back() / times[2].back());
    }
    std::printf("start-up to visible window, %d alternated runs each (medians): talmoran.exe %.1f ms, "
                "plain controls window %.1f ms, empty window %.1f ms\n",
                runs, Median(times[0]), Median(times[1]), Median(times[2]));
    // Wine's own start-up varies by tens of milliseconds from run to run:
    // both the ratio of the medians and the median of the paired ratios.
    std::printf("talmoran.exe / plain controls window: %.3f (median of paired runs %.3f); "
                "talmoran.exe / empty window: %.3f (%.3f)\n",
                Median(times[0]) / Median(times[1]), Median(toPlain), Median(times[0]) / Median(times[2]),
                Median(toEmpty));
    for (const auto& t : times) {
        if (std::any_of(t.begin(), t.end(), [](double ms) { return ms < 0; })) {
            return 1;
        }
    }
    return 0;
}
