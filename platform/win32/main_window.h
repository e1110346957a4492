#pragma once
// What the message loop asks of the main window before it dispatches a message: its keyboard
// shortcuts and the dialog-style keys (Tab, Enter on the default button).

#include "platform/win32/win32.h"

namespace platform::win32 {

// True when the message was a shortcut or a dialog key of `window`, the main window, and has
// been handled.
bool PreTranslateMainWindowMessage(HWND window, MSG& message);

}  // namespace platform::win32
