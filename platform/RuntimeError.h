#pragma once
// The one error type of the program: a numbered run-time error with its text,
// and the checked arithmetic that raises its overflow. Commands turn any
// run-time error into their failure box; elsewhere one is reported as
// "Run-time error" and ends the program.

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

// The text shown when an error reaches no command's trap:
// "Run-time error '6':" a blank line, then the description.
[[nodiscard]] std::wstring FormatRuntimeErrorReport(const RuntimeError& error);

// Same, for anything else that escaped a handler (std::bad_alloc, ...).
[[nodiscard]] std::wstring FormatUnexpectedErrorReport(const std::exception& error);

// The report of the exception being handled; only inside a catch block.
[[nodiscard]] std::wstring CurrentErrorReport();

// The two widths the program counts in.
using Int16 = std::int16_t;
using Int32 = std::int32_t;

// Checked 16-bit and 32-bit signed arithmetic: an overflow raises the
// overflow run-time error instead of wrapping.
template <typename T> [[nodiscard]] T CheckedAdd(T a, T b)
{
    T result{};
    if (__builtin_add_overflow(a, b, &result)) {
        throw RuntimeError::Overflow();
    }
    return result;
}

template <typename T> [[nodiscard]] T CheckedSub(T a, T b)
{
    T result{};
    if (__builtin_sub_overflow(a, b, &result)) {
        throw RuntimeError::Overflow();
    }
    return result;
}

} // namespace talmoran
