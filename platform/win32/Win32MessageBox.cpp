#include "platform/win32/Win32MessageBox.h"

#include <string>

#include "platform/win32/Win32Error.h"

namespace talmoran::win32 {

int Win32MessageBox::Show(std::wstring_view prompt, MessageBoxStyle style)
{
    const std::wstring text(prompt);
    const int pressed = MessageBoxW(owner_, text.c_str(), kApplicationTitle, static_cast<UINT>(style));
    // Windows answers 0 when the box cannot be shown, Wine -1; a pressed
    // button is always positive.
    if (pressed <= 0) {
        throw LastWin32Error(L"MessageBoxW");
    }
    return pressed;
}

} // namespace talmoran::win32
