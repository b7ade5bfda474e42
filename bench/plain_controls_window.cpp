// The floor for talmoran.exe's start-up: the same window and the same 36
// controls, of the same classes, with the same resources and manifest,
// created in place at the system DPI, sized and centred, and nothing else:
// no font, no page background, no load step (the second page is created
// where the load step would leave it).
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "app/win32/Controls.h"
#include "platform/win32/Dpi.h"

namespace {

using talmoran::ControlId;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Register(HINSTANCE instance, const wchar_t* name)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = talmoran::ButtonFaceClassBackground();
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Register(instance, L"PlainWindow");
    Register(instance, talmoran::kFrameClassName); // the frames' class name, with no page painting
    const UINT dpi = talmoran::win32::SystemDpi();
    const int width = talmoran::TwipsToPixels(7000, dpi);
    const int height = talmoran::TwipsToPixels(4000, dpi);
    HWND window = CreateWindowExW(
        WS_EX_CONTROLPARENT, L"PlainWindow", L"Plain controls",
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr, instance, nullptr);
    std::map<ControlId, HWND> created{{ControlId::Window, window}};
    talmoran::TwipsRect firstPage{};
    for (const ControlId container : talmoran::kContainers) {
        for (const talmoran::ControlSpec& row : talmoran::InTabOrder(container)) {
            const talmoran::WindowClass windowClass = talmoran::ClassFor(row.kind);
            const std::wstring text(row.text);
            // The second page already stacked on the first, hidden, as the load step leaves it.
            const bool stacked = row.id == ControlId::ChoiceFrame1;
            firstPage = row.id == ControlId::ChoiceFrame0 ? row.rect : firstPage; // created before the second
            const talmoran::PixelBox r = talmoran::ToPixels(stacked ? firstPage : row.rect, dpi);
            created[row.id] = CreateWindowExW(
                windowClass.exStyle, windowClass.name, text.c_str(),
                stacked ? windowClass.style & ~WS_VISIBLE : windowClass.style, r.left, r.top, r.width, r.height,
                created.at(container), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(row.id)), instance, nullptr);
        }
    }
    for (const std::wstring_view caption : talmoran::kTabCaptions) {
        std::wstring text(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(created.at(ControlId::TabStrip1), TCM_INSERTITEMW, 99, reinterpret_cast<LPARAM>(&item));
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
