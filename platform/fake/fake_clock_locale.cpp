// The fake clock, time zone and locale: a settable local time, a zone given by its offsets, the
// locale items a test listed, one single-byte code page and UTF-8, a Japanese user's formats.
#include <chrono>
#include <cstdio>
#include <cwctype>

#include "platform/fake/fake_platform.h"
#include "platform/unicode.h"

namespace platform {

using fake::Log;
using fake::Platform;

namespace {

fake::InfoState& Info() { return Platform().info; }

std::int64_t Milliseconds(const SystemTime& t) {
    using namespace std::chrono;
    const sys_days day = year{t.year} / t.month / t.day;
    return duration_cast<milliseconds>(day.time_since_epoch()).count() +
           ((t.hour * 60 + t.minute) * 60 + t.second) * std::int64_t{1000} + t.milliseconds;
}

SystemTime FromMilliseconds(std::int64_t ms) {
    using namespace std::chrono;
    const sys_time<milliseconds> moment{milliseconds{ms}};
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss time{moment - day};
    return {int(date.year()),
            int(unsigned(date.month())),
            int(unsigned(date.day())),
            int(time.hours().count()),
            int(time.minutes().count()),
            int(time.seconds().count()),
            int(time.subseconds().count())};
}

SystemTime Shifted(const SystemTime& time, std::int64_t seconds) {
    return FromMilliseconds(Milliseconds(time) + seconds * 1000);
}

std::wstring TwoDigits(int value) { return (value < 10 ? L"0" : L"") + std::to_wstring(value); }

}  // namespace

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
    return Shifted(utc, Info().offsetAtUtc(utc));
}

// As Wine does it: a local time that both offsets reach is read as daylight time; one that
// neither reaches (the skipped hour of spring) as standard time.
SystemTime TzSpecificLocalTimeToSystemTime(const SystemTime& local) {
    Log("TzSpecificLocalTimeToSystemTime");
    Info().localToUtcQueries.push_back(local);
    for (const std::int32_t offset : {Info().daylightOffset, Info().standardOffset}) {
        const SystemTime utc = Shifted(local, -offset);
        if (Info().offsetAtUtc(utc) == offset) return utc;
    }
    return Shifted(local, -Info().standardOffset);
}

std::uint32_t GetThreadLocale() {
    Log("GetThreadLocale");
    return Platform().threadLocale;
}

std::wstring LCMapStringW(std::uint32_t locale, std::uint32_t flags, const std::wstring& text) {
    Log("LCMapStringW");
    Platform().lcmapCalls.emplace_back(locale, flags);
    std::wstring mapped = text;
    if (flags & kLcmapLowercase)
        for (wchar_t& c : mapped) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return mapped;
}

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

std::uint32_t GetACP() {
    Log("GetACP");
    return Platform().mainWindow.codePage;
}

// Stands in for the system's IDNA conversion: each label outside ASCII becomes "xn--" and its
// code points in hex, which is ASCII as the real form is; a label holding "!" is refused.
std::optional<std::wstring> IdnToAscii(const std::wstring& host) {
    Log("IdnToAscii");
    if (host.find(L'!') != std::wstring::npos) return std::nullopt;
    std::wstring out;
    std::wstring label;
    const auto flush = [&] {
        bool ascii = true;
        for (const wchar_t c : label) ascii = ascii && static_cast<std::uint32_t>(c) < 0x80;
        if (ascii) {
            out += label;
        } else {
            out += L"xn--";
            for (const char32_t point : unicode::CodePoints(label)) {
                wchar_t hex[12];
                std::swprintf(hex, 12, L"%x-", static_cast<unsigned>(point));
                out += hex;
            }
        }
        label.clear();
    };
    for (const wchar_t c : host) {
        if (c == L'.') {
            flush();
            out += L'.';
        } else {
            label += c;
        }
    }
    flush();
    return out;
}

// The fake knows one single-byte code page (Latin-1 as a stand-in for 1252) and UTF-8.
std::string WideCharToMultiByte(std::uint32_t codePage, const std::wstring& text) {
    Log("WideCharToMultiByte");
    if (codePage == kCodePageUtf8) return unicode::EncodeUtf8(text);
    std::string bytes;
    for (wchar_t c : text) bytes += static_cast<unsigned>(c) < 0x100 ? static_cast<char>(c) : '?';
    return bytes;
}

std::wstring MultiByteToWideChar(std::uint32_t codePage, const std::string& bytes) {
    Log("MultiByteToWideChar");
    // No mark is looked for: the caller has taken it off already.
    if (codePage == kCodePageUtf8) return unicode::DecodeUtf8(bytes);
    std::wstring text;
    for (const char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
}

// A Japanese user (0x0411, the user default) on a machine whose system locale is US English
// (0x0409, the system default), formatting as Windows does with no picture given: the flags pick
// the short date (also with no flag) or the long one, and how much of the time shows. A locale
// the machine does not know formats nothing.
namespace {

enum class Language { Japanese, English, Unknown };

Language LanguageOf(std::uint32_t locale) {
    if (locale == kLocaleUserDefault || locale == 0x0411) return Language::Japanese;
    if (locale == 0x0800 || locale == kLocaleEnglishUs) return Language::English;
    return Language::Unknown;
}

}  // namespace

std::wstring GetDateFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time) {
    Log("GetDateFormatW");
    const Language language = LanguageOf(locale);
    const bool longDate = flags & 0x2;  // DATE_LONGDATE; DATE_SHORTDATE (1) is the default
    const std::wstring year = std::to_wstring(time.year);
    if (language == Language::Japanese)
        return longDate
                   ? year + L"年" + std::to_wstring(time.month) + L"月" + std::to_wstring(time.day) + L"日"
                   : year + L"/" + TwoDigits(time.month) + L"/" + TwoDigits(time.day);
    if (language == Language::English)
        return longDate
                   ? L"month " + std::to_wstring(time.month) + L" " + std::to_wstring(time.day) + L", " + year
                   : std::to_wstring(time.month) + L"/" + std::to_wstring(time.day) + L"/" + year;
    return L"";
}

std::wstring GetTimeFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time) {
    Log("GetTimeFormatW");
    const Language language = LanguageOf(locale);
    if (language == Language::Unknown) return L"";
    const bool english = language == Language::English && !(flags & 0x8);  // TIME_FORCE24HOURFORMAT
    std::wstring text = std::to_wstring(english ? (time.hour + 11) % 12 + 1 : time.hour);
    if (!(flags & 0x1)) {  // TIME_NOMINUTESORSECONDS
        text += L":" + TwoDigits(time.minute);
        if (!(flags & 0x2)) text += L":" + TwoDigits(time.second);  // TIME_NOSECONDS
    }
    if (english && !(flags & 0x4)) text += time.hour < 12 ? L" AM" : L" PM";  // TIME_NOTIMEMARKER
    return text;
}

}  // namespace platform
