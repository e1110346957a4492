#include "app/form.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32.h"

namespace platform {

namespace {

// One message taken from the queue: the application-wide hook sees it first and may keep it
// from being dispatched; then the main window's keys.
void Dispatch(MSG& message) {
    if (Form1) {
        bool handled = false;
        const QueuedMessage queued{win32::FromHwnd(message.hwnd), message.message, message.wParam,
                                   message.lParam};
        Form1->AppMessage(queued, handled);
        if (handled) return;
    }
    // The shortcuts and Tab / Enter work wherever the focus is inside the main window.
    if (win32::PreTranslateMainWindowMessage(message)) return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

}  // namespace

int RunMessageLoop() {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
    return static_cast<int>(message.wParam);
}

void ProcessMessages() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        // The quit belongs to the main loop: hand it back and stop pumping.
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

}  // namespace platform
