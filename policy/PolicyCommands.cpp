#include "policy/PolicyCommands.h"

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

// The user's texts exactly as they have always read, typos included.
const CommandRow& RowOf(Command command)
{
    static const CommandRow kLock{
        Policy::Lock, true, L"Your seleted Drive(s) will be Lock after restart or re-login your windows.",
        L"You are not Administrator. You can not lock selected drive(s). Please contact an Administrator."};
    static const CommandRow kUnlock{
        Policy::Lock, false, L"All Locked Drive(s) will be Unlock after restart or re-login your windows.",
        L"You are not Administrator. You can not unlock drive(s). Please contact an Administrator."};
    static const CommandRow kHide{
        Policy::Hide, true, L"Your seleted Drive(s) will Hide after restart or re-login your windows.",
        L"You are not Administrator. You can not hide selected drive(s). Please contact an Administrator."};
    static const CommandRow kUnhide{
        Policy::Hide, false, L"All Hidden Drive(s) will Show after restart or re-login your windows.",
        L"You are not Administrator. You can not unhide drive(s). Please contact an Administrator."};
    switch (command) {
    case Command::Lock: return kLock;
    case Command::Unlock: return kUnlock;
    case Command::Hide: return kHide;
    case Command::Unhide: break;
    }
    return kUnhide;
}

} // namespace

void RunCommand(Command command, const CommandContext& context)
{
    const CommandRow& row = RowOf(command);
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
