// 10,000 commands in a row on the real window, each with its real box
// dismissed by a second thread: GDI objects, USER objects, handles and
// private bytes, sampled every 1,000 commands, must not grow.
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "tests/win/PrefixRegistry.h"
#include "tests/win/WindowHarness.h"

namespace talmoran::test {
namespace {

struct Sample {
    DWORD gdiObjects;
    DWORD userObjects;
    DWORD handles;
    SIZE_T privateBytes;
};

// Wine 8 answers GetGuiResources, GetProcessHandleCount and PrivateUsage
// with 0. Where the system gives 0, the same quantities are counted by hand.

DWORD CountGdiObjects()
{
    // Wine accepts a GDI handle with a zero generation word as "any
    // generation", so probing every index finds every live object.
    DWORD count = 0;
    for (UINT_PTR index = 0x20; index < 0x10000; ++index) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    }
    return count;
}

DWORD CountWindows()
{
    struct Tally {
        DWORD pid;
        DWORD windows;
    } tally{GetCurrentProcessId(), 0};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* t = reinterpret_cast<Tally*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == t->pid) {
                ++t->windows;
                EnumChildWindows(
                    window, [](HWND, LPARAM p) -> BOOL { return ++*reinterpret_cast<DWORD*>(p), TRUE; },
                    reinterpret_cast<LPARAM>(&t->windows));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tally));
    return tally.windows;
}

DWORD CountHandles()
{
    DWORD count = 0;
    DWORD flags = 0;
    for (UINT_PTR value = 4; value < 0x40000; value += 4) {
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE ? 1 : 0;
    }
    return count;
}

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

Sample Measure()
{
    Sample sample{};
    HANDLE self = GetCurrentProcess();
    sample.gdiObjects = GetGuiResources(self, GR_GDIOBJECTS);
    sample.userObjects = GetGuiResources(self, GR_USEROBJECTS);
    GetProcessHandleCount(self, &sample.handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    sample.privateBytes = memory.PrivateUsage;
    if (sample.gdiObjects == 0)
        sample.gdiObjects = CountGdiObjects();
    if (sample.userObjects == 0)
        sample.userObjects = CountWindows();
    if (sample.handles == 0)
        sample.handles = CountHandles();
    if (sample.privateBytes == 0)
        sample.privateBytes = CommittedPrivateBytes();
    return sample;
}

// Presses OK on every box of this process as soon as it shows.
class OkPresser {
public:
    OkPresser()
        : thread_([this] {
              const DWORD pid = GetCurrentProcessId();
              while (!stop_) {
                  HWND box = nullptr;
                  while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
                      DWORD owner = 0;
                      GetWindowThreadProcessId(box, &owner);
                      if (owner == pid && IsWindowVisible(box)) {
                          PostMessageW(box, WM_COMMAND, IDOK, 0);
                          ++pressed_;
                      }
                  }
                  std::this_thread::sleep_for(std::chrono::microseconds(500));
              }
          })
    {
    }
    ~OkPresser()
    {
        stop_ = true;
        thread_.join();
    }
    OkPresser(const OkPresser&) = delete;
    OkPresser& operator=(const OkPresser&) = delete;

private:
    std::atomic<bool> stop_{false};
    std::atomic<int> pressed_{0};
    std::thread thread_;
};

constexpr int kCommands = 10000;

TEST(Soak, TenThousandCommandsLeakNoObjectHandleOrMemory)
{
    DeletePolicyKey();
    WindowHarness harness;
    harness.Tick(2);
    harness.Tick(3);
    const ControlId buttons[] = {ControlId::Lock, ControlId::Unlock, ControlId::Hide, ControlId::Unhide};
    std::vector<Sample> samples;
    // The figures also go to a file beside the test, for the record of a run.
    FILE* record = std::fopen("soak-figures.txt", "w");
    {
        OkPresser presser;
        for (int i = 1; i <= kCommands; ++i) {
            SendMessageW(harness.Control(buttons[i % 4]), BM_CLICK, 0, 0);
            if (i % 1000 == 0) {
                harness.Pump();
                samples.push_back(Measure());
                const Sample& s = samples.back();
                for (FILE* out : {stdout, record}) {
                    if (out != nullptr) {
                        std::fprintf(
                            out, "after %5d commands: GDI objects %lu, windows %lu, handles %lu, private bytes %llu\n",
                            i, s.gdiObjects, s.userObjects, s.handles, static_cast<unsigned long long>(s.privateBytes));
                    }
                }
            }
        }
    }
    if (record != nullptr) {
        std::fclose(record);
    }
    // The first sample is the baseline: by then every lazy allocation of
    // the first commands (fonts, theme data, heap growth) has happened.
    const Sample& first = samples.front();
    const Sample& last = samples.back();
    ASSERT_GT(first.gdiObjects, 0U) << "nothing measured";
    ASSERT_GT(first.userObjects, 0U);
    ASSERT_GT(first.handles, 0U);
    ASSERT_GT(first.privateBytes, 0U);
    EXPECT_LE(last.gdiObjects, first.gdiObjects);
    EXPECT_LE(last.userObjects, first.userObjects);
    EXPECT_LE(last.handles, first.handles + 2);
    // Under Wine 8 committed private memory creeps up by about 50 bytes a
    // command (450 KB over 9,000, box included); not yet attributed. A leak
    // of anything the size of a command's own data would pass 1 MB.
    EXPECT_LE(last.privateBytes, first.privateBytes + 1024 * 1024);
    // Command 10,000 is a Lock with C and D ticked, command 9,999 an Unhide.
    EXPECT_EQ(ReadPolicyValue(L"NoViewOnDrive")->dword, 12U);
    EXPECT_EQ(ReadPolicyValue(L"NoDrives")->dword, 0U);
    DeletePolicyKey();
}

} // namespace
} // namespace talmoran::test
