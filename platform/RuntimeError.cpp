#include "platform/RuntimeError.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace talmoran {

RuntimeError::RuntimeError(std::int32_t number, std::wstring description)
    : std::runtime_error("talmoran run-time error"), number_(number), description_(std::move(description))
{
}

// Written out by hand: std::to_wstring would link the whole printf machinery
// into an exe whose size we watch.
std::wstring DecimalText(std::int64_t number)
{
    const bool negative = number < 0;
    auto magnitude = negative ? 0U - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    std::wstring digits;
    while (magnitude != 0 || digits.empty()) { // "0" for zero
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + (magnitude % 10)));
        magnitude /= 10;
    }
    return negative ? L"-" + digits : digits;
}

RuntimeError RuntimeError::Overflow()
{
    return {6, L"Overflow"};
}

RuntimeError RuntimeError::SubscriptOutOfRange()
{
    return {9, L"Subscript out of range"};
}

std::wstring CurrentErrorReport()
{
    try {
        throw;
    } catch (const RuntimeError& error) {
        return L"Run-time error '" + DecimalText(error.Number()) + L"':\r\n\r\n" + error.Description();
    } catch (const std::exception& error) {
        // Each byte widened on its own: what() has no known encoding, and
        // Latin-1 keeps ASCII exact without guessing.
        const std::string_view text = error.what();
        std::wstring what(text.size(), L'\0');
        std::ranges::transform(text, what.begin(),
                               [](char c) { return static_cast<wchar_t>(static_cast<unsigned char>(c)); });
        return L"Run-time error:\r\n\r\n" + what;
    } catch (...) {
        return L"Run-time error";
    }
}

} // namespace talmoran
