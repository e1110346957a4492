// The clock, the time zone, the locale, the ANSI code page and the user's formats.
#include "platform/clock_locale.h"

#include "platform/win32/win32.h"

namespace platform {

using win32::FromSystemTime;
using win32::ToSystemTime;

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

std::uint32_t GetThreadLocale() { return ::GetThreadLocale(); }

std::wstring LCMapStringW(std::uint32_t locale, std::uint32_t flags, const std::wstring& text) {
    if (text.empty()) return text;
    const int size = ::LCMapStringW(locale, flags, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0) return text;
    std::wstring mapped(static_cast<std::size_t>(size), L'\0');
    ::LCMapStringW(locale, flags, text.c_str(), static_cast<int>(text.size()), mapped.data(), size);
    return mapped;
}

bool IsLocaleInstalled(std::uint32_t locale) { return ::IsValidLocale(locale, LCID_INSTALLED) != 0; }

std::wstring GetLocaleInfoW(std::uint32_t locale, std::uint32_t type) {
    const int size = ::GetLocaleInfoW(locale, type, nullptr, 0);
    if (size <= 0) return L"";
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::GetLocaleInfoW(locale, type, text.data(), size);
    return text.c_str();
}

std::uint32_t GetACP() { return ::GetACP(); }

std::optional<std::wstring> IdnToAscii(const std::wstring& host) {
    // Looked up rather than imported: older systems keep it in normaliz.dll only.
    using Function = int(WINAPI*)(DWORD, LPCWSTR, int, LPWSTR, int);
    static const auto idnToAscii = reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "IdnToAscii")));
    if (!idnToAscii || host.empty()) return std::nullopt;
    const int size = idnToAscii(0, host.c_str(), static_cast<int>(host.size()), nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring ascii(static_cast<std::size_t>(size), L'\0');
    if (idnToAscii(0, host.c_str(), static_cast<int>(host.size()), ascii.data(), size) != size)
        return std::nullopt;
    return ascii;
}

std::string WideCharToMultiByte(std::uint32_t codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                           0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                          nullptr, nullptr);
    return bytes;
}

std::wstring MultiByteToWideChar(std::uint32_t codePage, const std::string& bytes) {
    if (bytes.empty()) return {};
    const int size =
        ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

std::wstring GetDateFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time) {
    const SYSTEMTIME converted = ToSystemTime(time);
    wchar_t buffer[256] = {};
    const int length = ::GetDateFormatW(locale, flags, &converted, nullptr, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : L"";
}

std::wstring GetTimeFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time) {
    const SYSTEMTIME converted = ToSystemTime(time);
    wchar_t buffer[256] = {};
    const int length = ::GetTimeFormatW(locale, flags, &converted, nullptr, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : L"";
}

}  // namespace platform
