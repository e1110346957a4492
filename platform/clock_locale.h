#pragma once
// The clock, the time zone and the locale: local time, offsets from UTC, case mapping, the
// Ukrainian names, the ANSI code page and its conversions, the user's date and time formats.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

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

constexpr std::uint32_t kLocaleEnglishUs = 0x0409;
constexpr std::uint32_t kLocaleUkrainian = 1058;
constexpr std::uint32_t kLocaleUserDefault = 0x0400;
constexpr std::uint32_t kLocaleSDayName1 = 0x2A;  // Monday; SDAYNAME7 is Sunday
constexpr std::uint32_t kLocaleSMonthName1 = 0x38;
constexpr std::uint32_t kLcmapLowercase = 0x00000100;
constexpr std::uint32_t kLcmapLinguisticCasing = 0x01000000;

std::uint32_t GetThreadLocale();
std::wstring LCMapStringW(std::uint32_t locale, std::uint32_t flags, const std::wstring& text);
// IsValidLocale with LCID_INSTALLED.
bool IsLocaleInstalled(std::uint32_t locale);
// Empty when the locale has no such item.
std::wstring GetLocaleInfoW(std::uint32_t locale, std::uint32_t type);

constexpr std::uint32_t kCodePageUtf8 = 65001;
std::uint32_t GetACP();
// CP_ACP-style conversions with the code page's default character for what it lacks.
std::string WideCharToMultiByte(std::uint32_t codePage, const std::wstring& text);
std::wstring MultiByteToWideChar(std::uint32_t codePage, const std::string& bytes);

// IdnToAscii with no flags: a host name in its IDNA (punycode) form; nothing when the system
// refuses the name or has no such conversion.
std::optional<std::wstring> IdnToAscii(const std::wstring& host);

constexpr std::uint32_t kDateShortDate = 0x1;
// flags 0 gives the long time format.
std::wstring GetDateFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time);
std::wstring GetTimeFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time);

}  // namespace platform
