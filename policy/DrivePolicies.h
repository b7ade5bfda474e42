#pragma once
// The drive policies: the ticked drive boxes as a drive mask, the two Explorer
// policy values of the current user, and the four commands that write them.
// Each command writes one value, at most, and then shows its success message,
// or, when anything on the way fails, its failure message. A success box that
// cannot be shown is such a failure: the failure box follows it.

#include <string>
#include <string_view>

#include "platform/Interfaces.h"

namespace talmoran {

// Drive letters A to Z: drive box Check1(i) stands for bit i of a drive mask.
inline constexpr Int16 kDriveLetterCount = 26;
// Check1(26), after the letters, is "All Drives"; it overrides them.
inline constexpr Int16 kAllDrivesIndex = kDriveLetterCount;
inline constexpr Int16 kCheckBoxCount = kDriveLetterCount + 1;
inline constexpr Int32 kAllDrivesMask = (Int32{1} << kDriveLetterCount) - 1;

// Reads Check1(0) to Check1(26) afresh and leaves the mask in DriveMask. An
// error while reading leaves DriveMask with the sum built so far.
void BuildDriveMask(const CheckBoxes& Check1, Int32& DriveMask);

// Below HKEY_CURRENT_USER.
inline constexpr std::wstring_view kPolicyKeyPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

enum class Command { Lock, Unlock, Hide, Unhide };

// What a command reaches: the window's check boxes, registry and message box,
// and the two window-level variables it leaves behind.
struct CommandContext {
    const CheckBoxes& Check1;
    CurrentUserRegistry& registry;
    ModalMessageBox& messageBox;
    std::wstring& PolicyPath;
    Int32& DriveMask;
};

// Runs one command to completion. Every run-time error on the way ends in the
// command's failure box; only an error raised by the failure box itself
// reaches the caller.
void RunCommand(Command command, const CommandContext& context);

} // namespace talmoran
