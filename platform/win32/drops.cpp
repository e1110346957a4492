#include "platform/win32/win32.h"

namespace platform {

std::uint32_t DragQueryFileW(DropHandle drop, std::uint32_t index, std::wstring* buffer,
                             std::uint32_t bufferChars) {
    const auto hdrop = reinterpret_cast<HDROP>(drop);
    if (!buffer || bufferChars == 0) return ::DragQueryFileW(hdrop, index, nullptr, 0);
    std::wstring name(bufferChars, L'\0');
    const UINT copied = ::DragQueryFileW(hdrop, index, name.data(), bufferChars);
    *buffer = name.c_str();
    return copied;
}

void DragFinish(DropHandle drop) { ::DragFinish(reinterpret_cast<HDROP>(drop)); }

std::intptr_t SendMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    return ::SendMessageW(win32::ToHwnd(window), message, wParam, lParam);
}

// The program has one top-level window, so restoring the application restores that window.
void RestoreApplication(WindowHandle mainWindow) {
    const HWND window = win32::ToHwnd(mainWindow);
    if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
}

}  // namespace platform
