// The About box: version, executable, screen, the maker's lines and the time in Kyiv, on a
// gradient that changes with every paint.
#include "info/about.h"

#include <cstdio>

#include "app/application.h"
#include "app/constants.h"
#include "app/form.h"
#include "app/random.h"

namespace {

// ---- Dates as milliseconds since 1970-01-01 00:00, in no particular zone.

constexpr std::int64_t kMinute = 60 * 1000;
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::int64_t kDay = 24 * kHour;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days from 1970-01-01 to a proleptic Gregorian date.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = FloorDiv(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

platform::SystemTime CivilFromMilliseconds(std::int64_t ms) {
    const std::int64_t days = FloorDiv(ms, kDay);
    std::int64_t rest = ms - days * kDay;
    const std::int64_t z = days + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    platform::SystemTime time;
    time.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    time.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2));
    time.hour = static_cast<int>(rest / kHour);
    rest %= kHour;
    time.minute = static_cast<int>(rest / kMinute);
    rest %= kMinute;
    time.second = static_cast<int>(rest / 1000);
    time.milliseconds = static_cast<int>(rest % 1000);
    return time;
}

std::int64_t Milliseconds(const platform::SystemTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * kDay + t.hour * kHour + t.minute * kMinute +
           t.second * 1000 + t.milliseconds;
}

// 0 = Monday ... 6 = Sunday, the order of LOCALE_SDAYNAME1 to 7; 1970-01-01 was a Thursday.
int WeekdayIndex(std::int64_t days) { return static_cast<int>(((days % 7) + 7 + 3) % 7); }

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
    const platform::SystemTime t = CivilFromMilliseconds(ms);
    wchar_t year[16];
    std::swprintf(year, 16, L"%04d", t.year);
    return std::to_wstring(t.day) + L" " + names.months[t.month - 1] + L" " + year + L" " +
           names.weekdays[WeekdayIndex(FloorDiv(ms, kDay))] + L" " + TwoDigits(t.hour) + L":" +
           TwoDigits(t.minute);
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
    const std::int32_t offset = platform::LocalOffsetFromUtc(now);
    // Kyiv on standard time, UTC+2; the daylight hour is added below.
    std::int64_t kyiv = Milliseconds(now) - std::int64_t{offset} * 1000 + 2 * kHour;
    const int year = CivilFromMilliseconds(kyiv).year;
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
