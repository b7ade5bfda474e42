#include "platform/RuntimeError.h"

#include <utility>

namespace talmoran {

RuntimeError::RuntimeError(std::int32_t number, std::wstring description)
    : std::runtime_error("talmoran run-time error " + std::to_string(number)), number_(number),
      description_(std::move(description))
{
}

RuntimeError::RuntimeError(ErrorNumber number, std::wstring description)
    : RuntimeError(static_cast<std::int32_t>(number), std::move(description))
{
}

RuntimeError RuntimeError::Overflow()
{
    return {ErrorNumber::Overflow, L"Overflow"};
}

RuntimeError RuntimeError::SubscriptOutOfRange()
{
    return {ErrorNumber::SubscriptOutOfRange, L"Subscript out of range"};
}

std::wstring FormatRuntimeErrorReport(const RuntimeError& error)
{
    return L"Run-time error '" + std::to_wstring(error.Number()) + L"':\r\n\r\n" + error.Description();
}

std::wstring FormatUnexpectedErrorReport(const std::exception& error)
{
    std::wstring what;
    for (const char* p = error.what(); *p != '\0'; ++p) {
        what.push_back(static_cast<unsigned char>(*p));
    }
    return L"Run-time error:\r\n\r\n" + what;
}

} // namespace talmoran
