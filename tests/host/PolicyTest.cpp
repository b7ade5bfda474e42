// Drive policies: the drive mask, the four commands, and the
// run-time errors they raise and report.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/CheckedArithmetic.h"
#include "platform/Interfaces.h"
#include "platform/RuntimeError.h"
#include "policy/DrivePolicies.h"
#include "tests/common/ExpectedCommands.h"
#include "tests/host/Fakes.h"

namespace talmoran::test {
namespace {

using Shown = std::vector<std::wstring>;

// The report of an error, as the window shows one that no command trapped.
template <typename Error> std::wstring ReportOf(const Error& error)
{
    try {
        std::rethrow_exception(std::make_exception_ptr(error));
    } catch (...) {
        return CurrentErrorReport();
    }
}

TEST(DriveMask, SumsTheTickedLettersAndAllDrivesOverridesThem)
{
    // Ticked, greyed (which counts as not ticked), mask.
    const std::vector<std::tuple<std::string_view, std::string_view, Int32>> cases = {
        {"", "", 0},          {"AB", "", 3},        {"C", "", 4},
        {"Z", "", 0x2000000}, {"*", "", 0x3FFFFFF}, {"AC*", "", 0x3FFFFFF},
        {"D", "CF", 8},       {"B", "*", 2},        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "", 0x3FFFFFF}};
    for (const auto& [ticked, greyed, mask] : cases) {
        FakeCheckBoxes boxes;
        boxes.Set(ticked);
        boxes.Set(greyed, CheckValue::Greyed);
        Int32 DriveMask = -1; // left over from an earlier command
        BuildDriveMask(boxes, DriveMask);
        EXPECT_EQ(DriveMask, mask) << "ticked " << ticked << ", greyed " << greyed;
        EXPECT_EQ(boxes.reads, 27) << "every box read once, All Drives included";
    }
}

// One command run against fakes, with C and D ticked, and the window-level
// variables it leaves.
struct Harness {
    FakeCheckBoxes boxes;
    FakeRegistry registry;
    FakeMessageBox box;
    std::wstring PolicyPath;
    Int32 DriveMask = 0;

    Harness() { boxes.Set("CD"); }
    void Run(Command command) { RunCommand(command, {boxes, registry, box, PolicyPath, DriveMask}); }
};

TEST(Commands, EachWritesOneValueThenShowsItsBoxOrItsFailureBoxWhereverItFails)
{
    enum Stage { Nowhere, ReadingBoxD, Writing, ShowingSuccess };
    enum Boxes { Success, Failure, SuccessThenFailure };
    struct Row {
        std::array<Command, 2> commands; // Lock and Hide run one procedure, Unlock and Unhide another
        Stage failing;
        bool written;
        Boxes shown;
        bool pathCopied;
        Int32 DriveMask; // C is added before box D fails
        int boxReads;
    };
    using enum Command;
    // With C and D ticked; Unlock and Unhide read no box.
    constexpr auto kRows = std::to_array<Row>({
        {{Lock, Hide}, Nowhere, true, Success, true, 12, 27},
        {{Lock, Hide}, ReadingBoxD, false, Failure, false, 4, 4},
        {{Lock, Hide}, Writing, false, Failure, true, 12, 27},
        {{Lock, Hide}, ShowingSuccess, true, SuccessThenFailure, true, 12, 27},
        {{Unlock, Unhide}, Nowhere, true, Success, true, 0, 0},
        {{Unlock, Unhide}, Writing, false, Failure, true, 0, 0},
        {{Unlock, Unhide}, ShowingSuccess, true, SuccessThenFailure, true, 0, 0},
    });
    for (const Row& row : kRows) {
        for (const Command command : row.commands) {
            const ExpectedCommand& c = kExpectedCommands.at(static_cast<std::size_t>(command));
            SCOPED_TRACE(std::string(c.name) + " failing at stage " + std::to_string(row.failing));
            Harness h;
            h.boxes.failingIndex = row.failing == ReadingBoxD ? std::optional<Int16>(3) : std::nullopt;
            h.registry.refuse = row.failing == Writing;
            h.box.refuseFirst = row.failing == ShowingSuccess;
            h.Run(command);
            const std::wstring path = std::wstring(kPolicyKey) + L"\\" + c.valueName;
            EXPECT_EQ(h.registry.writes, (row.written ? decltype(h.registry.writes){{path, c.writtenWithCandD}}
                                                      : decltype(h.registry.writes){})); // else the old value stays
            const std::vector<Shown> boxes = {{c.success}, {c.failure}, {c.success, c.failure}};
            EXPECT_EQ(h.box.shown, boxes.at(row.shown));
            EXPECT_EQ(h.PolicyPath, row.pathCopied ? L"HKCU\\" + path : L"");
            EXPECT_EQ(h.DriveMask, row.DriveMask);
            EXPECT_EQ(h.boxes.reads, row.boxReads);
        }
    }
    // Only an error in the failure box itself reaches the caller.
    Harness h;
    h.registry.refuse = true;
    h.box.refuseFirst = true;
    EXPECT_THROW(h.Run(Command::Lock), RuntimeError);
}

TEST(CheckedArithmetic, RaisesOverflowSixInsteadOfWrapping)
{
    const auto overflows = [](auto operation) {
        try {
            ADD_FAILURE() << "no error, " << operation();
        } catch (...) {
            EXPECT_EQ(CurrentErrorReport(), L"Run-time error '6':\r\n\r\nOverflow");
        }
    };
    overflows([] { return CheckedAdd<Int16>(32767, 1); });
    overflows([] { return CheckedSub<Int16>(-32768, 1); });
    overflows([] { return CheckedSub<Int16>(0, -32768); });
    overflows([] { return CheckedAdd<Int32>(0x7FFFFFFF, 1); });
    EXPECT_EQ(CheckedAdd<Int16>(32766, 1), 32767);
    EXPECT_EQ(CheckedSub<Int16>(-32767, 1), -32768);
}

TEST(RuntimeErrorReport, NamesTheNumberThenABlankLineThenTheText)
{
    EXPECT_EQ(ReportOf(RuntimeError::SubscriptOutOfRange()), L"Run-time error '9':\r\n\r\nSubscript out of range");
    EXPECT_EQ(ReportOf(RuntimeError(-2147024891, L"Access is denied.")),
              L"Run-time error '-2147024891':\r\n\r\nAccess is denied.");
    EXPECT_EQ(DecimalText(0), L"0");
    EXPECT_EQ(DecimalText(INT64_MIN), L"-9223372036854775808");
    // A byte above 0x7F must not be sign-extended into a wide character.
    EXPECT_EQ(ReportOf(std::runtime_error("bad_alloc \xE9")), L"Run-time error:\r\n\r\nbad_alloc \u00E9");
    EXPECT_EQ(ReportOf(42), L"Run-time error");
}

} // namespace
} // namespace talmoran::test
