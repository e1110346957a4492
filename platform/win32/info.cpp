// Files, the properties sheet, version resources, clock, locale and screen for the shortcut
// buttons and the Help page.
#include "platform/win32/win32.h"

namespace platform {

using win32::FromSystemTime;
using win32::ToSystemTime;

bool DeleteFileW(const std::wstring& path) { return ::DeleteFileW(path.c_str()) != 0; }

bool ShellExecuteExW(const ShellExecuteInfo& info) {
    SHELLEXECUTEINFOW shell{};
    shell.cbSize = sizeof shell;
    shell.fMask = info.mask;
    shell.hwnd = win32::ToHwnd(info.window);
    shell.lpVerb = info.verb;
    shell.lpFile = info.file;
    shell.lpParameters = info.parameters;
    shell.lpDirectory = info.directory;
    const bool started = ::ShellExecuteExW(&shell) != 0;
    // SEE_MASK_NOCLOSEPROCESS may hand back a process handle that nobody waits on.
    if (shell.hProcess) ::CloseHandle(shell.hProcess);
    return started;
}

std::uint32_t GetFileVersionInfoSizeW(const std::wstring& path) {
    DWORD ignored = 0;
    return ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
}

bool GetFileVersionInfoW(const std::wstring& path, std::uint32_t size, std::vector<std::uint8_t>& block) {
    block.assign(size, 0);
    return ::GetFileVersionInfoW(path.c_str(), 0, size, block.data()) != 0;
}

std::optional<FixedFileInfo> VerQueryValueW(const std::vector<std::uint8_t>& block,
                                            const std::wstring& subBlock) {
    if (block.empty()) return std::nullopt;
    void* found = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), subBlock.c_str(), &found, &length) || !found ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
    return FixedFileInfo{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                         fixed->dwProductVersionLS};
}

SystemTime GetLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return FromSystemTime(now);
}

TimeZoneInformation GetTimeZoneInformation() {
    TIME_ZONE_INFORMATION zone{};
    ::GetTimeZoneInformation(&zone);
    return {zone.Bias, zone.StandardBias, zone.DaylightBias};
}

SystemTime TzSpecificLocalTimeToSystemTime(const SystemTime& local) {
    const SYSTEMTIME localTime = ToSystemTime(local);
    SYSTEMTIME utc = localTime;
    ::TzSpecificLocalTimeToSystemTime(nullptr, &localTime, &utc);
    return FromSystemTime(utc);
}

SystemTime SystemTimeToTzSpecificLocalTime(const SystemTime& utc) {
    const SYSTEMTIME utcTime = ToSystemTime(utc);
    SYSTEMTIME local = utcTime;
    ::SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local);
    return FromSystemTime(local);
}

bool IsLocaleInstalled(std::uint32_t locale) { return ::IsValidLocale(locale, LCID_INSTALLED) != 0; }

std::wstring GetLocaleInfoW(std::uint32_t locale, std::uint32_t type) {
    const int size = ::GetLocaleInfoW(locale, type, nullptr, 0);
    if (size <= 0) return L"";
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::GetLocaleInfoW(locale, type, text.data(), size);
    return text.c_str();
}

int GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

Rect GetClientRect(WindowHandle window) {
    RECT client{};
    ::GetClientRect(win32::ToHwnd(window), &client);
    return {client.left, client.top, client.right, client.bottom};
}

bool GradientFill(PaintSurface surface, const TriVertex& topLeft, const TriVertex& bottomRight,
                  std::uint32_t mode) {
    TRIVERTEX vertices[2] = {};
    const TriVertex* from[2] = {&topLeft, &bottomRight};
    for (int i = 0; i < 2; ++i) {
        vertices[i].x = from[i]->x;
        vertices[i].y = from[i]->y;
        vertices[i].Red = from[i]->red;
        vertices[i].Green = from[i]->green;
        vertices[i].Blue = from[i]->blue;
        vertices[i].Alpha = from[i]->alpha;
    }
    GRADIENT_RECT rectangle{0, 1};
    return ::GradientFill(reinterpret_cast<HDC>(surface), vertices, 2, &rectangle, 1, mode) != 0;
}

}  // namespace platform
