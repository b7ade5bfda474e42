// Drive policies: the drive mask, the four commands, and the
// run-time errors they raise and report, against fakes of the seam that keep
// the state the logic left in them and can fail as the real ones may.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/CheckedArithmetic.h"
#include "platform/Interfaces.h"
#include "platform/RuntimeError.h"
#include "policy/DrivePolicies.h"
#include "tests/common/ExpectedCommands.h"

namespace talmoran::test {
namespace {

struct FakeCheckBoxes final : CheckBoxes {
    std::array<CheckValue, 27> values{};
    mutable int reads = 0;

    // Ticks boxes named by their letters, '*' for All Drives: Tick("CD*").
    void Tick(std::string_view letters)
    {
        for (const char letter : letters) {
            values.at(letter == '*' ? 26U : static_cast<std::size_t>(letter - 'A')) = CheckValue::Ticked;
        }
    }
    [[nodiscard]] CheckValue Value(Int16 index) const override
    {
        ++reads;
        return values.at(static_cast<std::size_t>(index));
    }
};

// Keeps every write in order as ("key\value name", data): a value the code
// did not write cannot have changed.
struct FakeRegistry final : CurrentUserRegistry {
    std::vector<std::pair<std::wstring, std::uint32_t>> writes;
    bool refuse = false;

    void SetDword(std::wstring_view keyPath, std::wstring_view valueName, std::uint32_t data) override
    {
        if (refuse) {
            throw RuntimeError(5, L"Access is denied.");
        }
        writes.emplace_back(std::wstring(keyPath) + L"\\" + std::wstring(valueName), data);
    }
};

struct FakeMessageBox final : ModalMessageBox {
    std::vector<std::wstring> shown;
    bool refuseFirst = false; // the first box raises instead of showing

    void Show(std::wstring_view prompt) override
    {
        shown.emplace_back(prompt);
        if (refuseFirst && shown.size() == 1) {
            throw RuntimeError(1400, L"Invalid window handle.");
        }
    }
};

TEST(DriveMask, SumsTheTickedLettersAndAllDrivesOverridesThem)
{
    // clang-format off
    const std::vector<std::pair<std::string_view, Int32>> cases = {{"", 0}, {"AB", 3}, {"C", 4}, {"Z", 0x2000000},
        {"*", 0x3FFFFFF}, {"AC*", 0x3FFFFFF}, {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 0x3FFFFFF}};
    // clang-format on
    for (const auto& [ticked, mask] : cases) {
        FakeCheckBoxes boxes;
        boxes.Tick(ticked);
        Int32 DriveMask = -1; // left over from an earlier command
        BuildDriveMask(boxes, DriveMask);
        EXPECT_EQ(DriveMask, mask) << "ticked " << ticked;
        EXPECT_EQ(boxes.reads, 27) << "every box read once, All Drives included";
    }
}

TEST(Commands, EachWritesOneValueThenShowsItsBoxOrItsFailureBoxWhereverItFails)
{
    using Writes = decltype(FakeRegistry::writes);
    using Shown = std::vector<std::wstring>;
    for (const ExpectedCommand& c : kExpectedCommands) {
        for (int refused = 0; refused < 4; ++refused) { // the write, the first box, both
            const bool writeRefused = (refused & 1) != 0;
            const bool boxRefused = (refused & 2) != 0;
            SCOPED_TRACE(std::string(c.name) + (writeRefused ? ", write refused" : "") +
                         (boxRefused ? ", first box refused" : ""));
            FakeCheckBoxes boxes; // C and D ticked
            boxes.Tick("CD");
            FakeRegistry registry;
            registry.refuse = writeRefused;
            FakeMessageBox box;
            box.refuseFirst = boxRefused;
            std::wstring PolicyPath;
            Int32 DriveMask = 0;
            const auto run = [&] { RunCommand(c.command, {boxes, registry, box, PolicyPath, DriveMask}); };
            if (writeRefused && boxRefused) { // only an error in the failure box itself reaches the caller
                EXPECT_THROW(run(), RuntimeError);
                continue;
            }
            run();
            const std::wstring path = std::wstring(kPolicyKey) + L"\\" + c.valueName;
            EXPECT_EQ(registry.writes, (writeRefused ? Writes{} : Writes{{path, c.writtenWithCandD}}));
            EXPECT_EQ(box.shown, (writeRefused ? Shown{c.failure}
                                  : boxRefused ? Shown{c.success, c.failure}
                                               : Shown{c.success}));
            EXPECT_EQ(PolicyPath, L"HKCU\\" + path);
            EXPECT_EQ(DriveMask, static_cast<Int32>(c.writtenWithCandD)) << "Unlock and Unhide read no box";
        }
    }
}

// The report of an error, as the window shows one that no command trapped.
TEST(RuntimeErrorReport, NamesTheNumberThenABlankLineThenTheText)
{
    const auto reportOf = [](const auto& error) {
        try {
            throw error;
        } catch (...) {
            return CurrentErrorReport();
        }
    };
    EXPECT_EQ(DecimalText(0), L"0");
    // A byte above 0x7F must not be sign-extended into a wide character.
    EXPECT_EQ(reportOf(std::runtime_error("bad_alloc \xE9")), L"Run-time error:\r\n\r\nbad_alloc \u00E9");
    EXPECT_EQ(reportOf(42), L"Run-time error");
}

} // namespace
} // namespace talmoran::test
