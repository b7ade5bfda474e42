#pragma once
// No exception crosses a window procedure. An error that no command trapped
// is reported in a box ("Run-time error ...") and ends the program with a
// non-zero exit code.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "app/win32/WindowClasses.h"
#include "platform/RuntimeError.h"
#include "platform/win32/Adapters.h"

namespace talmoran {

class ErrorBoundary {
public:
    // Runs a handler; an error escaping it is reported and ends the program.
    template <typename Handler> void Run(HWND window, Handler&& handler) noexcept
    {
        try {
            handler();
        } catch (...) {
            ReportAndEnd(window, CurrentErrorReport());
        }
    }

    // For an error caught inside a paint, which must not show a box: the
    // box's own message loop would paint the other controls, which could fail
    // alike and stack more boxes. The first error is kept and reported, once
    // at most, on the message posted for it (ReportDeferred); where even that
    // message cannot be posted, the program ends without a box. Only inside a
    // catch.
    void Defer(HWND window) noexcept
    {
        if (deferred_ || reporting_) {
            return; // one report is enough
        }
        deferred_ = CurrentErrorReport();
        if (PostMessageW(window, kReportDeferredError, 0, 0) == FALSE) {
            PostQuitMessage(kExitCode); // not even a message can be queued: end without the box
        }
    }

    void ReportDeferred(HWND window) noexcept
    {
        if (deferred_) {
            ReportAndEnd(window, *std::exchange(deferred_, std::nullopt));
        }
    }

    // The process exit code after a run-time error, reported or not.
    static constexpr int kExitCode = 1;

    // 0, or kExitCode once an error was reported.
    [[nodiscard]] int ExitCode() const noexcept { return reporting_ ? kExitCode : 0; }

private:
    void ReportAndEnd(HWND window, const std::wstring& report) noexcept
    {
        if (std::exchange(reporting_, true)) {
            return; // the program is already ending over an earlier error
        }
        deferred_.reset();
        win32::ReportRuntimeError(window, report);
        DestroyWindow(window);
    }

    std::optional<std::wstring> deferred_;
    bool reporting_ = false;
};

} // namespace talmoran
