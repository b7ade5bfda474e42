#include "platform/win32/FrameWindow.h"

namespace talmoran::win32 {
namespace {

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: return SendMessageW(GetParent(frame), message, wParam, lParam);
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
        if (SendMessageW(GetParent(frame), kPaintFrameBackground, wParam, reinterpret_cast<LPARAM>(frame)) != 0) {
            return TRUE;
        }
        break;
    default: break;
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

} // namespace

void RegisterFrameClass(HINSTANCE instance)
{
    WNDCLASSEXW frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = instance;
    frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frameClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frameClass.lpszClassName = kFrameClassName;
    RegisterClassExW(&frameClass); // a second registration fails harmlessly
}

} // namespace talmoran::win32
