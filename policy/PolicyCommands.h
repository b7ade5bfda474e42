#pragma once
// The four things the user can do. Each writes exactly one policy value and
// then shows exactly one message box: its success message, or, when anything
// on the way fails, its failure message.

#include <string>

#include "platform/Interfaces.h"

namespace talmoran {

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
