#include <algorithm>
#include <cstring>

#include "info/civil_time.h"
#include "platform/fake/fake_platform.h"

namespace platform {

using fake::Platform;

using fake::Log;
using fake::Optional;

namespace {
fake::InfoState& Info() { return Platform().info; }
}  // namespace

// ---- Files and the shell

bool DeleteFileW(const std::wstring& path) {
    Log("DeleteFileW");
    Info().deletions.push_back(path);
    const fake::PathLess less;
    for (const std::wstring& locked : Info().lockedFiles)
        if (!less(locked, path) && !less(path, locked)) return false;
    const auto found = Platform().files.find(path);
    if (found == Platform().files.end() || found->second.directory) return false;
    Platform().files.erase(found);
    return true;
}

bool ShellExecuteExW(const ShellExecuteInfo& info) {
    Log("ShellExecuteExW");
    Info().shellExecuteExes.push_back({info.mask, info.window, Optional(info.verb), Optional(info.file),
                                       Optional(info.parameters), Optional(info.directory)});
    return true;
}

// ---- Version resources: the block is the fixed numbers themselves.

std::uint32_t GetFileVersionInfoSizeW(const std::wstring& path) {
    Log("GetFileVersionInfoSizeW");
    return Info().versionResources.count(path) ? sizeof(FixedFileInfo) : 0;
}

bool GetFileVersionInfoW(const std::wstring& path, std::uint32_t size, std::vector<std::uint8_t>& block) {
    Log("GetFileVersionInfoW");
    block.assign(size, 0);
    const auto found = Info().versionResources.find(path);
    if (found == Info().versionResources.end() || size < sizeof(FixedFileInfo)) return false;
    std::memcpy(block.data(), &found->second, sizeof(FixedFileInfo));
    return true;
}

std::optional<FixedFileInfo> VerQueryValueW(const std::vector<std::uint8_t>& block,
                                            const std::wstring& subBlock) {
    Log("VerQueryValueW");
    if (subBlock != L"\\" || Info().rootBlockUnreadable || block.size() < sizeof(FixedFileInfo))
        return std::nullopt;
    FixedFileInfo info;
    std::memcpy(&info, block.data(), sizeof info);
    return info;
}

// ---- Clock and time zone

SystemTime GetLocalTime() {
    Log("GetLocalTime");
    return Info().localTime;
}

TimeZoneInformation GetTimeZoneInformation() {
    Log("GetTimeZoneInformation");
    return {-Info().standardOffset / 60, 0, -(Info().daylightOffset - Info().standardOffset) / 60};
}

SystemTime SystemTimeToTzSpecificLocalTime(const SystemTime& utc) {
    Log("SystemTimeToTzSpecificLocalTime");
    return FromMilliseconds(ToMilliseconds(utc) + std::int64_t{Info().offsetAtUtc(utc)} * 1000);
}

// As Wine does it: a local time that both offsets reach is read as daylight time; one that
// neither reaches (the skipped hour of spring) as standard time.
SystemTime TzSpecificLocalTimeToSystemTime(const SystemTime& local) {
    Log("TzSpecificLocalTimeToSystemTime");
    Info().localToUtcQueries.push_back(local);
    for (const std::int32_t offset : {Info().daylightOffset, Info().standardOffset}) {
        const SystemTime utc = FromMilliseconds(ToMilliseconds(local) - std::int64_t{offset} * 1000);
        if (Info().offsetAtUtc(utc) == offset) return utc;
    }
    return FromMilliseconds(ToMilliseconds(local) - std::int64_t{Info().standardOffset} * 1000);
}

// ---- Locale

bool IsLocaleInstalled(std::uint32_t locale) {
    Log("IsLocaleInstalled");
    return Info().localeItems.count(locale) != 0;
}

std::wstring GetLocaleInfoW(std::uint32_t locale, std::uint32_t type) {
    Log("GetLocaleInfoW");
    const auto items = Info().localeItems.find(locale);
    if (items == Info().localeItems.end()) return L"";
    const auto item = items->second.find(type);
    return item == items->second.end() ? std::wstring() : item->second;
}

// ---- Screen

int GetSystemMetrics(int index) {
    Log("GetSystemMetrics");
    if (index == kSmCxScreen) return Info().screenWidth;
    if (index == kSmCyScreen) return Info().screenHeight;
    return 0;
}

// ---- The About dialog

Rect GetClientRect(WindowHandle window) {
    Log("GetClientRect");
    const auto found = Info().clientRects.find(window);
    return found == Info().clientRects.end() ? Rect{} : found->second;
}

bool GradientFill(PaintSurface surface, const TriVertex& topLeft, const TriVertex& bottomRight,
                  std::uint32_t mode) {
    Log("GradientFill");
    Info().gradientFills.push_back({surface, topLeft, bottomRight, mode});
    return true;
}

void ShowInformationDialog(WindowHandle owner, const std::wstring& caption, const std::wstring& text,
                           PaintHandler onPaint) {
    Log("ShowInformationDialog");
    Info().informationDialogs.push_back({owner, caption, text, onPaint});
}

}  // namespace platform
