#include "policy/PolicyCommands.h"

#include <array>
#include <string_view>

#include "policy/DriveSelection.h"
#include "policy/PolicyStore.h"

namespace talmoran {
namespace {

struct CommandRow {
    Policy policy;
    bool writesSelection; // Lock and Hide write the drive mask; Unlock and Unhide write 0
    std::wstring_view successMessage;
    std::wstring_view failureMessage;
};

// In the order of Command; the user's texts exactly as they have always read,
// typos included.
constexpr std::array<CommandRow, 4> kCommandRows = {{
    {Policy::Lock, true, L"Your seleted Drive(s) will be Lock after restart or re-login your windows.",
     L"You are not Administrator. You can not lock selected drive(s). Please contact an Administrator."},
    {Policy::Lock, false, L"All Locked Drive(s) will be Unlock after restart or re-login your windows.",
     L"You are not Administrator. You can not unlock drive(s). Please contact an Administrator."},
    {Policy::Hide, true, L"Your seleted Drive(s) will Hide after restart or re-login your windows.",
     L"You are not Administrator. You can not hide selected drive(s). Please contact an Administrator."},
    {Policy::Hide, false, L"All Hidden Drive(s) will Show after restart or re-login your windows.",
     L"You are not Administrator. You can not unhide drive(s). Please contact an Administrator."},
}};

} // namespace

void RunCommand(Command command, const CommandContext& context)
{
    const CommandRow& row = kCommandRows.at(static_cast<std::size_t>(command));
    try {
        Int32 value = 0;
        if (row.writesSelection) {
            BuildDriveMask(context.Check1, context.DriveMask);
            value = context.DriveMask;
        }
        WritePolicyValue(context.registry, row.policy, value, context.PolicyPath);
        // The value is already written: a single OK button, nothing to cancel or retry.
        (void)context.messageBox.Show(row.successMessage, MessageBoxStyle::OkOnly);
    } catch (...) { // any run-time error, the success box's own included
        (void)context.messageBox.Show(row.failureMessage, MessageBoxStyle::OkOnly);
    }
}

} // namespace talmoran
