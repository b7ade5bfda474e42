#pragma once
// The one error type of the program: a numbered run-time error with its text.
// Commands turn any run-time error into their failure box; elsewhere one is
// reported as "Run-time error" and ends the program.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace talmoran {

class RuntimeError : public std::runtime_error {
public:
    // Errors from Windows carry the Win32 error code as their number.
    RuntimeError(std::int32_t number, std::wstring description);

    [[nodiscard]] std::int32_t Number() const noexcept { return number_; }
    [[nodiscard]] const std::wstring& Description() const noexcept { return description_; }

    // The two the program raises itself: numbers 6 and 9.
    [[nodiscard]] static RuntimeError Overflow();
    [[nodiscard]] static RuntimeError SubscriptOutOfRange();

private:
    std::int32_t number_;
    std::wstring description_;
};

// A number in decimal digits, with a minus sign when negative.
[[nodiscard]] std::wstring DecimalText(std::int64_t number);

// The text shown when the error being handled reaches no command's trap:
// "Run-time error '6':", a blank line, then the description; "Run-time
// error:" and what() for anything else (std::bad_alloc, ...). Only inside a
// catch block.
[[nodiscard]] std::wstring CurrentErrorReport();

} // namespace talmoran
