// The About box: version, executable, screen, the maker's lines and the time in Kyiv, on a
// gradient that changes with every paint.
#include "info/about.h"

#include <cstdio>

#include "app/application.h"
#include "app/constants.h"
#include "app/form.h"
#include "app/random.h"
#include "info/civil_time.h"
#include "platform/process.h"
#include "platform/resources.h"
#include "platform/window.h"

namespace {

constexpr std::int64_t kHour = kMillisecondsPerHour;
constexpr std::int64_t kDay = kMillisecondsPerDay;

// The last Sunday of a month with 31 days, at the given hour: stepping back from its last day.
std::int64_t LastSundayAt(int year, int month, int hour) {
    std::int64_t days = DaysFromCivil(year, month, 31);
    while (WeekdayIndex(days) != 6) --days;
    return days * kDay + hour * kHour;
}

std::wstring TwoDigits(int value) {
    wchar_t text[8];
    std::swprintf(text, 8, L"%02d", value);
    return text;
}

// "d mmmm yyyy aaaa hh:nn" with the Ukrainian names.
std::wstring FormatKyiv(std::int64_t ms, const UkrainianNames& names) {
    const platform::SystemTime t = FromMilliseconds(ms);
    wchar_t year[16];
    std::swprintf(year, 16, L"%04d", t.year);
    return std::to_wstring(t.day) + L" " + names.months[t.month - 1] + L" " + year + L" " +
           names.weekdays[WeekdayIndex(DaysFromCivil(t.year, t.month, t.day))] + L" " + TwoDigits(t.hour) +
           L":" + TwoDigits(t.minute);
}

// The full Ukrainian names for a machine without the Ukrainian locale, in the forms the locale
// gives: nominative months, lower case.
const UkrainianNames kOwnUkrainianNames = {
    {L"січень", L"лютий", L"березень", L"квітень", L"травень", L"червень", L"липень", L"серпень", L"вересень",
     L"жовтень", L"листопад", L"грудень"},
    {L"понеділок", L"вівторок", L"середа", L"четвер", L"пʼятниця", L"субота", L"неділя"},
};

platform::TriVertex Vertex(std::int32_t x, std::int32_t y, std::uint32_t colour) {
    platform::TriVertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.red = static_cast<std::uint16_t>((colour & 0xFF) << 8);
    vertex.green = static_cast<std::uint16_t>(((colour >> 8) & 0xFF) << 8);
    vertex.blue = static_cast<std::uint16_t>(((colour >> 16) & 0xFF) << 8);
    return vertex;
}

}  // namespace

std::int32_t LocalOffsetFromUtc(const platform::SystemTime& local) {
    const platform::TimeZoneInformation zone = platform::GetTimeZoneInformation();
    const std::int32_t standard = -(zone.bias + zone.standardBias) * 60;
    // The system reads the repeated hour of autumn as daylight time (Wine does); a local time
    // that standard time also reaches is taken as standard time.
    const platform::SystemTime asStandard =
        FromMilliseconds(ToMilliseconds(local) - std::int64_t{standard} * 1000);
    if (platform::SystemTimeToTzSpecificLocalTime(asStandard) == local) return standard;
    const platform::SystemTime utc = platform::TzSpecificLocalTimeToSystemTime(local);
    return static_cast<std::int32_t>((ToMilliseconds(local) - ToMilliseconds(utc)) / 1000);
}

std::wstring GetFileVersionText(const std::wstring& fileName) {
    const std::uint32_t size = platform::GetFileVersionInfoSizeW(fileName);
    if (size == 0) return L"";
    std::vector<std::uint8_t> block;
    // A failed read leaves the block zeroed; the query below decides.
    platform::GetFileVersionInfoW(fileName, size, block);
    const std::optional<platform::FixedFileInfo> fixed = platform::VerQueryValueW(block, L"\\");
    if (!fixed) return L"";
    return std::to_wstring(fixed->fileVersionMS >> 16) + L"." +
           std::to_wstring(fixed->fileVersionMS & 0xFFFF) + L"." +
           std::to_wstring(fixed->fileVersionLS >> 16) + L"." +
           std::to_wstring(fixed->fileVersionLS & 0xFFFF);
}

UkrainianNames GetUkrainianNames() {
    if (!platform::IsLocaleInstalled(platform::kLocaleUkrainian)) return kOwnUkrainianNames;
    UkrainianNames names;
    // An item the locale lacks keeps the program's own name rather than leaving a gap.
    const auto item = [](std::uint32_t type, const std::wstring& own) {
        std::wstring text = platform::GetLocaleInfoW(platform::kLocaleUkrainian, type);
        return text.empty() ? own : text;
    };
    for (int i = 0; i < 12; ++i)
        names.months[i] = item(platform::kLocaleSMonthName1 + i, kOwnUkrainianNames.months[i]);
    for (int i = 0; i < 7; ++i)
        names.weekdays[i] = item(platform::kLocaleSDayName1 + i, kOwnUkrainianNames.weekdays[i]);
    return names;
}

std::wstring GetKyivTimeText() {
    const platform::SystemTime now = platform::GetLocalTime();
    const std::int32_t offset = LocalOffsetFromUtc(now);
    // Kyiv on standard time, UTC+2; the daylight hour is added below.
    std::int64_t kyiv = ToMilliseconds(now) - std::int64_t{offset} * 1000 + 2 * kHour;
    const int year = FromMilliseconds(kyiv).year;
    const std::int64_t start = LastSundayAt(year, 3, 3);
    const std::int64_t end = LastSundayAt(year, 10, 4);
    const UkrainianNames names = GetUkrainianNames();
    if (start < kyiv && kyiv < end) {
        kyiv += kHour;
        return L"Peace for Ukraine\r\n" + FormatKyiv(kyiv, names) +
               L", Ukraine Standard Time (in Daylight Saving Time)";
    }
    return L"Peace For Ukraine\r\n" + FormatKyiv(kyiv, names) + L", Ukraine Standard Time";
}

std::wstring AboutText(const std::wstring& fileVersion, const std::wstring& exePath, int screenWidth,
                       int screenHeight, const std::wstring& kyivTimeText) {
    const std::wstring lines[] = {
        ApplicationTitle + L" " + AppVersionLabel + L" (" + fileVersion + L") " + L"Release Build",
        exePath,
        L"CurrentScreen " + std::to_wstring(screenWidth) + L" x " + std::to_wstring(screenHeight),
        L"",
        AppCopyright,
        AppContactMail,
        AppHomePage,
        L"",
        kyivTimeText,
    };
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    return text;
}

Gradient AboutGradient(const platform::Rect& client, std::uint32_t endColour) {
    Gradient gradient;
    gradient.topLeft = Vertex(client.left, client.top, 0xFFFFFF);
    gradient.bottomRight = Vertex(client.right, client.bottom, endColour);
    gradient.mode = (endColour & 1) ? platform::kGradientFillRectH : platform::kGradientFillRectV;
    return gradient;
}

void AboutBoxPaint(platform::WindowHandle sender, platform::PaintSurface surface) {
    const Gradient gradient = AboutGradient(platform::GetClientRect(sender), Random(0xFFFFFF));
    platform::GradientFill(surface, gradient.topLeft, gradient.bottomRight, gradient.mode);
}

void TForm1::ButtonAboutClick() {
    const std::wstring exePath = platform::GetModuleFileNameW();
    const std::wstring text =
        AboutText(GetFileVersionText(exePath), exePath, platform::GetSystemMetrics(platform::kSmCxScreen),
                  platform::GetSystemMetrics(platform::kSmCyScreen), GetKyivTimeText());
    platform::ShowInformationDialog(handle_, ApplicationTitle, text, AboutBoxPaint);
}
