#pragma once
// The one place that pulls in the Windows headers, with the settings every file here shares.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// clang-format off
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
// clang-format on

#include <string>

#include "platform/platform.h"

namespace platform::win32 {

inline HWND ToHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
inline WindowHandle FromHwnd(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

// The system's description of an error code, without the trailing line break and full stop
// that FormatMessage adds (the error box puts the full stop back).
std::wstring SystemErrorText(DWORD code);

// Throws the program's error for a failed HRESULT, worded by the system.
void ThrowIfFailed(HRESULT result);

}  // namespace platform::win32
