// The peace line of the About box over any local date and time zone, against Kyiv's rule worked
// out with the standard calendar. Input, four bytes each: year, month, day, hour, minute, second,
// millisecond; the zone's standard offset and its daylight shift in minutes; the UTC month, day
// and hour daylight time starts and ends; then a byte whose low bit installs the Ukrainian
// locale (with names the check knows) and whose next bit gives the zone daylight time.
#include <chrono>
#include <cwchar>

#include "info/about.h"
#include "input.h"
#include "platform/fake/fake_platform.h"

namespace {

using namespace std::chrono;
using Moment = sys_time<milliseconds>;

Moment ToMoment(const platform::SystemTime& t) {
    return sys_days{year{t.year} / t.month / t.day} + hours{t.hour} + minutes{t.minute} + seconds{t.second} +
           milliseconds{t.milliseconds};
}

// A zone whose daylight time runs between two UTC moments of each year (across New Year when
// it ends before it starts).
struct Zone {
    std::int32_t standard = 0;
    std::int32_t daylight = 0;
    platform::SystemTime start;
    platform::SystemTime end;

    std::int32_t At(const platform::SystemTime& utc) const {
        const platform::SystemTime from{utc.year, start.month, start.day, start.hour, 0, 0, 0};
        const platform::SystemTime to{utc.year, end.month, end.day, end.hour, 0, 0, 0};
        const bool summer = from <= to ? from <= utc && utc < to : from <= utc || utc < to;
        return summer ? daylight : standard;
    }
};

platform::SystemTime ToSystemTime(Moment moment) {
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

// The local time read in the zone: standard time when that reading holds (the repeated hour of
// autumn included), else daylight time when that one holds, else (the skipped hour of spring)
// standard time, as the system reads it.
std::int32_t OffsetAt(const Zone& zone, Moment local) {
    if (zone.At(ToSystemTime(local - seconds{zone.standard})) == zone.standard) return zone.standard;
    if (zone.At(ToSystemTime(local - seconds{zone.daylight})) == zone.daylight) return zone.daylight;
    return zone.standard;
}

std::wstring Number(const wchar_t* format, int value) {
    wchar_t text[16];
    std::swprintf(text, 16, format, value);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    platform::SystemTime local;
    local.year = static_cast<int>(input.Between(1601, 30827));
    local.month = static_cast<int>(input.Between(1, 12));
    const year_month_day_last monthEnd{year{local.year},
                                       month_day_last{month(static_cast<unsigned>(local.month))}};
    local.day = static_cast<int>(input.Between(1, static_cast<unsigned>(monthEnd.day())));
    local.hour = static_cast<int>(input.Between(0, 23));
    local.minute = static_cast<int>(input.Between(0, 59));
    local.second = static_cast<int>(input.Between(0, 59));
    local.milliseconds = static_cast<int>(input.Between(0, 999));
    Zone zone;
    zone.standard = static_cast<std::int32_t>(input.Between(-16 * 60, 16 * 60) * 60);
    const auto shift = static_cast<std::int32_t>(input.Between(-120, 120) * 60);
    for (platform::SystemTime* edge : {&zone.start, &zone.end}) {
        edge->month = static_cast<int>(input.Between(1, 12));
        edge->day = static_cast<int>(input.Between(1, 28));
        edge->hour = static_cast<int>(input.Between(0, 23));
    }
    const std::uint8_t flags = input.Byte();
    const bool ukrainianInstalled = flags & 1;
    zone.daylight = flags & 2 ? zone.standard + shift : zone.standard;

    fake::Reset();
    fake::InfoState& info = fake::Platform().info;
    info.localTime = local;
    info.standardOffset = zone.standard;
    info.daylightOffset = zone.daylight;
    info.offsetAtUtc = [zone](const platform::SystemTime& utc) { return zone.At(utc); };
    if (ukrainianInstalled) {
        for (int i = 0; i < 12; ++i)
            info.localeItems[platform::kLocaleUkrainian][platform::kLocaleSMonthName1 + i] =
                L"m" + std::to_wstring(i + 1);
        for (int i = 0; i < 7; ++i)
            info.localeItems[platform::kLocaleUkrainian][platform::kLocaleSDayName1 + i] =
                L"w" + std::to_wstring(i + 1);
    }
    const std::wstring text = GetKyivTimeText();

    // Kyiv's standard time is UTC+2; daylight time holds strictly between 03:00 on the last
    // Sunday of March and 04:00 on the last Sunday of October, standard time, and adds an hour.
    Moment kyiv = ToMoment(local) - seconds{OffsetAt(zone, ToMoment(local))} + hours{2};
    const year kyivYear = year_month_day{floor<days>(kyiv)}.year();
    const Moment start = sys_days{kyivYear / March / Sunday[last]} + hours{3};
    const Moment end = sys_days{kyivYear / October / Sunday[last]} + hours{4};
    const bool summer = start < kyiv && kyiv < end;
    if (summer) kyiv += hours{1};

    const year_month_day date{floor<days>(kyiv)};
    const hh_mm_ss time{kyiv - floor<days>(kyiv)};
    const std::wstring head = summer ? L"Peace for Ukraine\r\n" : L"Peace For Ukraine\r\n";
    const std::wstring tail =
        summer ? L", Ukraine Standard Time (in Daylight Saving Time)" : L", Ukraine Standard Time";
    const std::wstring day = std::to_wstring(unsigned(date.day()));
    const std::wstring yearText = Number(L"%04d", int(date.year()));
    const std::wstring clock =
        Number(L"%02d", int(time.hours().count())) + L":" + Number(L"%02d", int(time.minutes().count()));
    if (ukrainianInstalled) {
        const unsigned isoDay = weekday{sys_days{date}}.iso_encoding();
        CHECK(text == head + day + L" m" + std::to_wstring(unsigned(date.month())) + L" " + yearText + L" w" +
                          std::to_wstring(isoDay) + L" " + clock + tail);
    } else {
        // The program's own names: only the numbers and the frame are known here.
        CHECK(text.starts_with(head + day + L" "));
        CHECK(text.find(L" " + yearText + L" ") != std::wstring::npos);
        CHECK(text.ends_with(L" " + clock + tail));
    }
    return 0;
}
