#pragma once
// A modal message box owned by the main window, titled with the application
// title. Returns the button the user pressed.

#include <string_view>

namespace talmoran {

// Values as the Win32 MB_* style flags take them; no icon bits.
enum class MessageBoxStyle : unsigned {
    OkOnly = 0,
    CancelTryContinue = 6,
};

class ModalMessageBox {
public:
    virtual ~ModalMessageBox() = default;
    virtual int Show(std::wstring_view prompt, MessageBoxStyle style) = 0;
};

} // namespace talmoran
