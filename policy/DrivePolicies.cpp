#include "policy/DrivePolicies.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/CheckedArithmetic.h"
#include "platform/Interfaces.h"

namespace talmoran {
namespace {

struct CommandRow {
    Command command;
    // NoViewOnDrive: Explorer refuses to open the drives; NoDrives: it no longer lists them.
    std::wstring_view valueName;
    bool writesSelection; // Lock and Hide write the drive mask; Unlock and Unhide write 0
    std::wstring_view successMessage;
    std::wstring_view failureMessage;
};

// The user's texts exactly as they have always read, typos included.
constexpr std::array<CommandRow, 4> kCommandRows = {{
    {Command::Lock, L"NoViewOnDrive", true,
     L"Your seleted Drive(s) will be Lock after restart or re-login your windows.",
     L"You are not Administrator. You can not lock selected drive(s). Please contact an Administrator."},
    {Command::Unlock, L"NoViewOnDrive", false,
     L"All Locked Drive(s) will be Unlock after restart or re-login your windows.",
     L"You are not Administrator. You can not unlock drive(s). Please contact an Administrator."},
    {Command::Hide, L"NoDrives", true, L"Your seleted Drive(s) will Hide after restart or re-login your windows.",
     L"You are not Administrator. You can not hide selected drive(s). Please contact an Administrator."},
    {Command::Unhide, L"NoDrives", false, L"All Hidden Drive(s) will Show after restart or re-login your windows.",
     L"You are not Administrator. You can not unhide drive(s). Please contact an Administrator."},
}};

// Copies the value's path, "HKCU\<key>\<value name>", into PolicyPath, then
// writes the value as REG_DWORD. Errors reach the caller.
void WritePolicyValue(CurrentUserRegistry& registry, std::wstring_view valueName, Int32 value, std::wstring& PolicyPath)
{
    PolicyPath = L"HKCU\\" + std::wstring(kPolicyKeyPath) + L"\\" + std::wstring(valueName);
    registry.SetDword(kPolicyKeyPath, valueName, static_cast<std::uint32_t>(value));
}

} // namespace

void BuildDriveMask(const CheckBoxes& Check1, Int32& DriveMask)
{
    DriveMask = 0;
    for (Int16 i = 0; i < kDriveLetterCount; ++i) {
        if (Check1.Value(i) == CheckValue::Ticked) {
            DriveMask = CheckedAdd<Int32>(DriveMask, Int32{1} << i);
        }
    }
    if (Check1.Value(kAllDrivesIndex) == CheckValue::Ticked) {
        DriveMask = kAllDrivesMask;
    }
}

void RunCommand(Command command, const CommandContext& context)
{
    const CommandRow& row = *std::ranges::find(kCommandRows, command, &CommandRow::command);
    try {
        Int32 value = 0;
        if (row.writesSelection) {
            BuildDriveMask(context.Check1, context.DriveMask);
            value = context.DriveMask;
        }
        WritePolicyValue(context.registry, row.valueName, value, context.PolicyPath);
        // The value is already written: a single OK button, nothing to cancel or retry.
        context.messageBox.Show(row.successMessage);
    } catch (...) { // any run-time error, the success box's own included
        context.messageBox.Show(row.failureMessage);
    }
}

} // namespace talmoran
