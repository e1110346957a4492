// The message loop and the download's pump: every message taken from the queue is offered to
// the program first, then the main window's keys, then it is dispatched.
#include "platform/win32/main_window.h"
#include "platform/win32/win32.h"
#include "platform/window.h"

namespace platform {

namespace {

void Dispatch(HWND mainWindow, WindowEvents& events, MSG& message) {
    bool handled = false;
    events.MessageQueued({win32::FromHwnd(message.hwnd), message.message, message.wParam, message.lParam},
                         handled);
    if (handled) return;
    // The shortcuts and Tab / Enter work wherever the focus is inside the main window.
    if (::IsWindow(mainWindow) && win32::PreTranslateMainWindowMessage(mainWindow, message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

}  // namespace

int RunMessageLoop(WindowHandle mainWindow, WindowEvents& events) {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(win32::ToHwnd(mainWindow), events, message);
    return static_cast<int>(message.wParam);
}

void ProcessMessages(WindowHandle mainWindow, WindowEvents& events) {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // The quit belongs to the main loop: hand it back and stop pumping.
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(win32::ToHwnd(mainWindow), events, message);
    }
}

}  // namespace platform
