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

#include "platform/clock_locale.h"
#include "platform/error.h"
#include "platform/types.h"

namespace platform::win32 {

inline HWND ToHwnd(WindowHandle handle) { return reinterpret_cast<HWND>(handle); }
inline WindowHandle FromHwnd(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }

// The system's description of an error code, without the trailing line break and full stop
// ("." or "。") that FormatMessage adds (the error box puts the full stop back).
std::wstring SystemErrorText(DWORD code);

// Throws the program's error for a failed HRESULT, worded by the system.
void ThrowIfFailed(HRESULT result);

inline SystemTime FromSystemTime(const SYSTEMTIME& time) {
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

// The day of the week is left 0: the calls that take a SYSTEMTIME here work it out themselves.
inline SYSTEMTIME ToSystemTime(const SystemTime& time) {
    SYSTEMTIME out{};
    out.wYear = static_cast<WORD>(time.year);
    out.wMonth = static_cast<WORD>(time.month);
    out.wDay = static_cast<WORD>(time.day);
    out.wHour = static_cast<WORD>(time.hour);
    out.wMinute = static_cast<WORD>(time.minute);
    out.wSecond = static_cast<WORD>(time.second);
    out.wMilliseconds = static_cast<WORD>(time.milliseconds);
    return out;
}

}  // namespace platform::win32
