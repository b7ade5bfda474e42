#pragma once
// What each command must do, written out from the product's requirements and
// not taken from the product's own tables: the value it writes with C and D
// ticked, and the text of its two boxes. Host and Wine tests share it.

#include <array>
#include <cstdint>

#include "policy/DrivePolicies.h"

namespace talmoran::test {

inline constexpr const wchar_t* kPolicyKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

struct ExpectedCommand {
    const char* name;
    Command command;
    const wchar_t* valueName;
    std::uint32_t writtenWithCandD;
    const wchar_t* success;
    const wchar_t* failure;
};

inline constexpr std::array<ExpectedCommand, 4> kExpectedCommands = {{
    {"Lock", Command::Lock, L"NoViewOnDrive", 12,
     L"Your seleted Drive(s) will be Lock after restart or re-login your windows.",
     L"You are not Administrator. You can not lock selected drive(s). Please contact an Administrator."},
    {"Unlock", Command::Unlock, L"NoViewOnDrive", 0,
     L"All Locked Drive(s) will be Unlock after restart or re-login your windows.",
     L"You are not Administrator. You can not unlock drive(s). Please contact an Administrator."},
    {"Hide", Command::Hide, L"NoDrives", 12, L"Your seleted Drive(s) will Hide after restart or re-login your windows.",
     L"You are not Administrator. You can not hide selected drive(s). Please contact an Administrator."},
    {"Unhide", Command::Unhide, L"NoDrives", 0,
     L"All Hidden Drive(s) will Show after restart or re-login your windows.",
     L"You are not Administrator. You can not unhide drive(s). Please contact an Administrator."},
}};

} // namespace talmoran::test
