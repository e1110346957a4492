#pragma once
// Per-monitor DPI (v2, as the manifest declares): sizes and fonts for the DPI of the monitor a
// window is on. The plain calls (GetDeviceCaps, SystemParametersInfoW, GetSystemMetrics) give
// the system DPI, fixed at sign-in, which is another monitor's as soon as the window is moved.
// The per-DPI calls are looked up: Windows before 10 (1607) lacks them, and there the system
// DPI is the only one.

#include "platform/win32/win32.h"

namespace platform::win32 {

template <class Function>
Function User32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

inline UINT SystemDpi() {
    const HDC screen = ::GetDC(nullptr);
    const UINT dpi = static_cast<UINT>(::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

// The DPI of the monitor the window is on; the system DPI for no window.
inline UINT DpiOf(HWND window) {
    static const auto getDpiForWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow && window) return getDpiForWindow(window);
    return SystemDpi();
}

inline int Scale(int pixels96, UINT dpi) { return ::MulDiv(pixels96, static_cast<int>(dpi), 96); }

// The system's fonts (message, status...) as they are at `dpi`.
inline NONCLIENTMETRICSW MetricsForDpi(UINT dpi) {
    static const auto forDpi =
        User32<BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT)>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const UINT system = SystemDpi();
    for (LOGFONTW* font : {&metrics.lfMessageFont, &metrics.lfStatusFont, &metrics.lfCaptionFont})
        font->lfHeight = ::MulDiv(font->lfHeight, static_cast<int>(dpi), static_cast<int>(system));
    return metrics;
}

// GetSystemMetrics as it is at `dpi` (icon sizes, borders).
inline int SystemMetricForDpi(int index, UINT dpi) {
    static const auto forDpi = User32<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, dpi);
    return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

}  // namespace platform::win32
