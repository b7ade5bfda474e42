#include "platform/win32/Win32Error.h"

#include <string>

#include "platform/win32/Handles.h"

namespace talmoran::win32 {

RuntimeError Win32Error(DWORD code, const wchar_t* call)
{
    UniqueHlocal text;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(text.Put()), 0, nullptr);
    std::wstring description = length > 0 ? std::wstring(static_cast<const wchar_t*>(text.Get()), length)
                                          : L"Windows error " + DecimalText(code);
    while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r')) {
        description.pop_back();
    }
    if (call != nullptr) {
        description += L" (" + std::wstring(call) + L")";
    }
    return {static_cast<std::int32_t>(code), std::move(description)};
}

RuntimeError LastWin32Error(const wchar_t* call)
{
    const DWORD code = GetLastError();
    // Some GDI functions fail without setting a code; "completed successfully"
    // would then be the text of a failure.
    if (code == ERROR_SUCCESS && call != nullptr) {
        return {0, std::wstring(call) + L" failed"};
    }
    return Win32Error(code, call);
}

} // namespace talmoran::win32
