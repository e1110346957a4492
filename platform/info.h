#pragma once
// The operations of Windows behind the shortcut buttons and the Help page: deleting a file, the
// properties sheet, version resources, the clock and time zone, the Ukrainian locale's names,
// the screen size, and the About dialog with its gradient. Included from platform.h.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/main_window.h"
#include "platform/platform.h"

namespace platform {

// ---- Files and the shell -----------------------------------------------------------------------

// True when the file was deleted.
bool DeleteFileW(const std::wstring& path);

constexpr std::uint32_t kSeeMaskInvokeIdList = 0x0000000C;
constexpr std::uint32_t kSeeMaskNoCloseProcess = 0x00000040;
constexpr std::uint32_t kSeeMaskFlagNoUi = 0x00000400;

// The fields of a SHELLEXECUTEINFOW that the program sets; cbSize is filled in by the call and
// every field not here is zero. A null pointer stays null.
struct ShellExecuteInfo {
    std::uint32_t mask = 0;
    WindowHandle window = 0;
    const wchar_t* verb = nullptr;
    const wchar_t* file = nullptr;
    const wchar_t* parameters = nullptr;
    const wchar_t* directory = nullptr;
};
bool ShellExecuteExW(const ShellExecuteInfo& info);

// ---- Version resources ---------------------------------------------------------------------------

// The numbers of a VS_FIXEDFILEINFO the program reads.
struct FixedFileInfo {
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
    std::uint32_t productVersionMS = 0;
    std::uint32_t productVersionLS = 0;
};

// 0 when the file has no version resource.
std::uint32_t GetFileVersionInfoSizeW(const std::wstring& path);
// Fills `block` with `size` bytes of the resource.
bool GetFileVersionInfoW(const std::wstring& path, std::uint32_t size, std::vector<std::uint8_t>& block);
// VerQueryValueW of the root block "\": nothing when it cannot be read.
std::optional<FixedFileInfo> VerQueryValueW(const std::vector<std::uint8_t>& block,
                                            const std::wstring& subBlock);

// ---- Clock and time zone ------------------------------------------------------------------------

// A SYSTEMTIME without its day of the week (which the program works out itself).
struct SystemTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
    auto operator<=>(const SystemTime&) const = default;
};

SystemTime GetLocalTime();

// The biases of the current time zone, in minutes (UTC = local time + bias).
struct TimeZoneInformation {
    std::int32_t bias = 0;
    std::int32_t standardBias = 0;
    std::int32_t daylightBias = 0;
};
TimeZoneInformation GetTimeZoneInformation();
// Conversions in the current time zone (a null zone passed to Windows). A local time of the
// repeated autumn hour may come back as either reading.
SystemTime TzSpecificLocalTimeToSystemTime(const SystemTime& local);
SystemTime SystemTimeToTzSpecificLocalTime(const SystemTime& utc);

// ---- Locale --------------------------------------------------------------------------------------

constexpr std::uint32_t kLocaleUkrainian = 1058;
constexpr std::uint32_t kLocaleUserDefault = 0x0400;
constexpr std::uint32_t kLocaleSDayName1 = 0x2A;  // Monday; SDAYNAME7 is Sunday
constexpr std::uint32_t kLocaleSMonthName1 = 0x38;

// IsValidLocale with LCID_INSTALLED.
bool IsLocaleInstalled(std::uint32_t locale);
// Empty when the locale has no such item.
std::wstring GetLocaleInfoW(std::uint32_t locale, std::uint32_t type);

// ---- Screen --------------------------------------------------------------------------------------

constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;

int GetSystemMetrics(int index);

// ---- The About dialog ---------------------------------------------------------------------------

// The HDC a paint handler draws on.
using PaintSurface = std::uintptr_t;

// A TRIVERTEX: colour components are 16-bit, the 8-bit value shifted left by 8.
struct TriVertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint16_t red = 0;
    std::uint16_t green = 0;
    std::uint16_t blue = 0;
    std::uint16_t alpha = 0;
    bool operator==(const TriVertex&) const = default;
};

constexpr std::uint32_t kGradientFillRectH = 0;
constexpr std::uint32_t kGradientFillRectV = 1;

Rect GetClientRect(WindowHandle window);
// GradientFill of one rectangle spanned by the two vertices.
bool GradientFill(PaintSurface surface, const TriVertex& topLeft, const TriVertex& bottomRight,
                  std::uint32_t mode);

using PaintHandler = void (*)(WindowHandle sender, PaintSurface surface);

// The information dialog of the About box: the caption, the application's icon, the text on a
// transparent background, one "&OK" button (default and cancel, hand cursor), no caption-bar
// buttons, centred over `owner` inside its monitor's work area. Every WM_PAINT goes to
// `onPaint`. Returns when the dialog has been closed and destroyed.
void ShowInformationDialog(WindowHandle owner, const std::wstring& caption, const std::wstring& text,
                           PaintHandler onPaint);

}  // namespace platform
