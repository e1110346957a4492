#include <doctest.h>

#include <array>

#include "app/random.h"
#include "fixture.h"
#include "info/about.h"
#include "info/civil_time.h"

namespace {

platform::SystemTime At(int year, int month, int day, int hour, int minute, int second = 0, int ms = 0) {
    return {year, month, day, hour, minute, second, ms};
}

// Central European time: daylight from 01:00 UTC on the last Sunday of March to 01:00 UTC on
// the last Sunday of October.
void BerlinZone(fake::State& machine) {
    machine.info.standardOffset = 3600;
    machine.info.daylightOffset = 7200;
    machine.info.offsetAtUtc = [](const platform::SystemTime& utc) {
        const platform::SystemTime start{utc.year, 3, utc.year == 2025 ? 30 : 31, 1, 0, 0, 0};
        const platform::SystemTime end{utc.year, 10, utc.year == 2025 ? 26 : 27, 1, 0, 0, 0};
        return start <= utc && utc < end ? 7200 : 3600;
    };
}

void FixedZone(fake::State& machine, std::int32_t offset) {
    machine.info.standardOffset = offset;
    machine.info.daylightOffset = offset;
    machine.info.offsetAtUtc = [offset](const platform::SystemTime&) { return offset; };
}

constexpr const wchar_t* kStandard = L"Peace For Ukraine\r\n";
constexpr const wchar_t* kDaylight = L"Peace for Ukraine\r\n";
constexpr const wchar_t* kStandardTail = L", Ukraine Standard Time";
constexpr const wchar_t* kDaylightTail = L", Ukraine Standard Time (in Daylight Saving Time)";

std::wstring Standard(const wchar_t* when) { return kStandard + std::wstring(when) + kStandardTail; }
std::wstring Daylight(const wchar_t* when) { return kDaylight + std::wstring(when) + kDaylightTail; }

}  // namespace

TEST_CASE("GetFileVersionText gives the four fixed file version numbers, or nothing") {
    FreshMachine m;
    const std::wstring exe = LR"(C:\Tools\Velmora.exe)";
    struct Case {
        platform::FixedFileInfo fixed;
        const wchar_t* text;
    };
    const Case cases[] = {
        {{0x00020001, 0x2109467E, 0x00090009, 0x00090009}, L"2.1.8457.18046"},  // not the product version
        {{0x00000000, 0x00000000, 0, 0}, L"0.0.0.0"},
        {{0xFFFF000A, 0x8000FFFF, 0, 0}, L"65535.10.32768.65535"},  // unsigned, no leading zeros
    };
    for (const Case& c : cases) {
        m.machine.info.versionResources[exe] = c.fixed;
        CHECK(GetFileVersionText(exe) == c.text);
    }
    m.machine.info.rootBlockUnreadable = true;
    CHECK(GetFileVersionText(exe) == L"");
    m.machine.info.rootBlockUnreadable = false;
    m.machine.info.versionResources.clear();
    m.machine.calls.clear();
    CHECK(GetFileVersionText(exe) == L"");
    CHECK(m.machine.calls == std::vector<std::string>{"GetFileVersionInfoSizeW"});
}

TEST_CASE("Kyiv time at the edges of daylight saving, read on a machine that keeps Kyiv winter time") {
    struct Case {
        platform::SystemTime local;
        std::wstring text;
    };
    const Case cases[] = {
        {At(2025, 3, 30, 3, 0, 0, 0), Standard(L"30 березень 2025 неділя 03:00")},
        {At(2025, 3, 30, 3, 0, 0, 1), Daylight(L"30 березень 2025 неділя 04:00")},
        {At(2025, 3, 30, 2, 59, 59, 999), Standard(L"30 березень 2025 неділя 02:59")},
        {At(2025, 3, 23, 12, 0), Standard(L"23 березень 2025 неділя 12:00")},  // the Sunday before
        {At(2025, 10, 26, 3, 30), Daylight(L"26 жовтень 2025 неділя 04:30")},
        {At(2025, 10, 26, 3, 59, 59, 999), Daylight(L"26 жовтень 2025 неділя 04:59")},
        {At(2025, 10, 26, 4, 0, 0, 0), Standard(L"26 жовтень 2025 неділя 04:00")},
        // 31 March 2024 is itself a Sunday, and so the start day.
        {At(2024, 3, 31, 3, 0, 0, 1), Daylight(L"31 березень 2024 неділя 04:00")},
        {At(2024, 3, 24, 12, 0), Standard(L"24 березень 2024 неділя 12:00")},
        {At(2024, 10, 27, 3, 59), Daylight(L"27 жовтень 2024 неділя 04:59")},
        {At(2024, 2, 29, 9, 5), Standard(L"29 лютий 2024 четвер 09:05")},
        {At(2025, 1, 6, 23, 59), Standard(L"6 січень 2025 понеділок 23:59")},
    };
    for (const Case& c : cases) {
        FreshMachine m;
        m.machine.info.localTime = c.local;
        CHECK(GetKyivTimeText() == c.text);
    }
}

TEST_CASE("Kyiv time is the same whatever the machine's zone, apart from the repeated autumn hour") {
    struct Case {
        const char* zone;
        std::int32_t offset;
        platform::SystemTime local;
        std::wstring text;
    };
    const std::wstring summer = Daylight(L"1 липень 2025 вівторок 12:00");  // 09:00 UTC
    const Case cases[] = {
        {"Tokyo", 9 * 3600, At(2025, 7, 1, 18, 0), summer},
        {"New York in summer", -4 * 3600, At(2025, 7, 1, 5, 0), summer},
        {"UTC", 0, At(2025, 7, 1, 9, 0), summer},
        {"Kolkata", 5 * 3600 + 1800, At(2025, 7, 1, 14, 30), summer},
        {"Tokyo across New Year", 9 * 3600, At(2026, 1, 1, 0, 30), Standard(L"31 грудень 2025 середа 17:30")},
        // March 2018 ends on a Saturday, so its last Sunday is the 25th, not 1 April.
        {"UTC, the spring of 2018", 0, At(2018, 3, 28, 9, 0), Daylight(L"28 березень 2018 середа 12:00")},
        {"Los Angeles, winter", -8 * 3600, At(2025, 3, 29, 17, 0, 0, 1),
         Daylight(L"30 березень 2025 неділя 04:00")},
    };
    for (const Case& c : cases) {
        CAPTURE(c.zone);
        FreshMachine m;
        m.machine.info.localTime = c.local;
        FixedZone(m.machine, c.offset);
        CHECK(GetKyivTimeText() == c.text);
    }
}

TEST_CASE("in Berlin's repeated hour the local time is read as standard time") {
    struct Case {
        platform::SystemTime local;
        std::wstring text;
    };
    const Case cases[] = {
        // 02:30 comes twice on 26 October 2025; as standard time (UTC+1) it is 01:30 UTC.
        {At(2025, 10, 26, 2, 30), Daylight(L"26 жовтень 2025 неділя 04:30")},
        {At(2025, 10, 26, 1, 30), Daylight(L"26 жовтень 2025 неділя 02:30")},  // still summer time
        {At(2025, 10, 26, 3, 30), Standard(L"26 жовтень 2025 неділя 04:30")},
        // 03:00 summer time is 01:00 UTC, the first moment of the window, still standard time.
        {At(2025, 3, 30, 3, 0), Standard(L"30 березень 2025 неділя 03:00")},
        {At(2025, 3, 30, 3, 1), Daylight(L"30 березень 2025 неділя 04:01")},
    };
    for (const Case& c : cases) {
        FreshMachine m;
        m.machine.info.localTime = c.local;
        BerlinZone(m.machine);
        CHECK(GetKyivTimeText() == c.text);
    }
}

TEST_CASE("the local offset: the repeated hour as standard time, though the system reads it as daylight") {
    FreshMachine m;
    BerlinZone(m.machine);
    struct Case {
        platform::SystemTime local;
        std::int32_t offset;
    };
    const Case cases[] = {
        {At(2025, 10, 26, 1, 59, 59, 999), 7200},
        {At(2025, 10, 26, 2, 0, 0, 0), 3600},  // comes twice
        {At(2025, 10, 26, 2, 30), 3600},
        {At(2025, 10, 26, 2, 59, 59, 999), 3600},
        {At(2025, 10, 26, 3, 0), 3600},
        {At(2025, 7, 1, 12, 0), 7200},
        {At(2025, 1, 1, 12, 0), 3600},
        {At(2025, 3, 30, 3, 0), 7200},
    };
    for (const Case& c : cases) {
        CAPTURE(c.local.hour);
        CHECK(LocalOffsetFromUtc(c.local) == c.offset);
    }
    // The fake system, like Wine, answers with daylight time for the repeated hour.
    CHECK(platform::TzSpecificLocalTimeToSystemTime(At(2025, 10, 26, 2, 30)) == At(2025, 10, 26, 0, 30));
}

TEST_CASE("month and weekday names come from the Ukrainian locale's items when it is installed") {
    FreshMachine m;
    auto& items = m.machine.info.localeItems[platform::kLocaleUkrainian];
    for (std::uint32_t i = 0; i < 12; ++i)
        items[platform::kLocaleSMonthName1 + i] = L"M" + std::to_wstring(i + 1);
    for (std::uint32_t i = 0; i < 7; ++i)
        items[platform::kLocaleSDayName1 + i] = L"D" + std::to_wstring(i + 1);
    const UkrainianNames names = GetUkrainianNames();
    for (std::uint32_t i = 0; i < 12; ++i) CHECK(names.months[i] == L"M" + std::to_wstring(i + 1));
    for (std::uint32_t i = 0; i < 7; ++i) CHECK(names.weekdays[i] == L"D" + std::to_wstring(i + 1));
    // Twelve months and seven days: a thirteenth month name is not asked for.
    CHECK(std::count(m.machine.calls.begin(), m.machine.calls.end(), "GetLocaleInfoW") == 19);
    m.machine.info.localTime = At(2025, 3, 30, 12, 0);
    CHECK(GetKyivTimeText() == Daylight(L"30 M3 2025 D7 13:00"));  // SDAYNAME7 is Sunday
    m.machine.info.localTime = At(2025, 12, 1, 8, 0);
    CHECK(GetKyivTimeText() == Standard(L"1 M12 2025 D1 08:00"));

    items.erase(platform::kLocaleSMonthName1 + 11);  // an item it lacks
    CHECK(GetKyivTimeText() == Standard(L"1 грудень 2025 D1 08:00"));
}

TEST_CASE("without the Ukrainian locale the program's own full names are used") {
    FreshMachine m;
    const UkrainianNames names = GetUkrainianNames();
    const wchar_t* months[] = {L"січень", L"лютий",   L"березень", L"квітень", L"травень",  L"червень",
                               L"липень", L"серпень", L"вересень", L"жовтень", L"листопад", L"грудень"};
    const wchar_t* weekdays[] = {L"понеділок", L"вівторок", L"середа", L"четвер",
                                 L"пʼятниця",  L"субота",   L"неділя"};
    for (int i = 0; i < 12; ++i) CHECK(names.months[i] == months[i]);
    for (int i = 0; i < 7; ++i) CHECK(names.weekdays[i] == weekdays[i]);
    CHECK(std::count(m.machine.calls.begin(), m.machine.calls.end(), "GetLocaleInfoW") == 0);
}

TEST_CASE("the About text: nine lines, each ending in CR LF, the Kyiv line holding two") {
    FreshMachine m;
    CHECK(AboutText(L"2.1.8457.18046", LR"(C:\Tools\Velmora.exe)", 1920, 1080, L"Peace For Ukraine\r\nK") ==
          L"Velmora V2.1 (2.1.8457.18046) Release Build\r\n"
          L"C:\\Tools\\Velmora.exe\r\n"
          L"CurrentScreen 1920 x 1080\r\n"
          L"\r\n"
          L"Copyright (C) 2026 Quorrin\r\n"
          L"velmora@quorrin.example\r\n"
          L"https://www.quorrin.example/\r\n"
          L"\r\n"
          L"Peace For Ukraine\r\nK\r\n");
    CHECK(AboutText(L"", L"X", 0, 0, L"").substr(0, 31) == L"Velmora V2.1 () Release Build\r\n");
}

TEST_CASE("the About button shows the text once, owned by the main window, painted by AboutBoxPaint") {
    FreshMachine m;
    TForm1 form;
    form.Create();
    Form1 = &form;
    m.machine.info.versionResources[LR"(C:\Tools\Velmora.exe)"] = {0x00020001, 0x00010000, 0, 0};
    m.machine.info.screenWidth = 800;
    m.machine.info.screenHeight = 600;
    m.machine.info.localTime = At(2025, 12, 9, 14, 7);
    form.Command(ControlId::About1);
    REQUIRE(m.machine.info.informationDialogs.size() == 1);
    const fake::InformationDialog& dialog = m.machine.info.informationDialogs[0];
    CHECK(dialog.owner == form.Handle());
    CHECK(dialog.caption == L"Velmora");
    CHECK((dialog.onPaint == &AboutBoxPaint));
    CHECK(dialog.text ==
          L"Velmora V2.1 (2.1.1.0) Release Build\r\nC:\\Tools\\Velmora.exe\r\nCurrentScreen 800 x 600\r\n\r\n"
          L"Copyright (C) 2026 Quorrin\r\nvelmora@quorrin.example\r\nhttps://www.quorrin.example/\r\n\r\n"
          L"Peace For Ukraine\r\n9 грудень 2025 вівторок 14:07, Ukraine Standard Time\r\n");
    form.Destroy();
}

TEST_CASE("the gradient: odd colours run left to right, even ones top to bottom, components shifted by 8") {
    const platform::Rect client{0, 0, 300, 200};
    struct Case {
        std::uint32_t colour;
        std::uint32_t mode;
        std::uint16_t red, green, blue;
    };
    const Case cases[] = {
        {0x000001, platform::kGradientFillRectH, 0x0100, 0x0000, 0x0000},
        {0xABCDEF, platform::kGradientFillRectH, 0xEF00, 0xCD00, 0xAB00},
        {0x123456, platform::kGradientFillRectV, 0x5600, 0x3400, 0x1200},
        {0x000000, platform::kGradientFillRectV, 0x0000, 0x0000, 0x0000},
        {0xFFFFFE, platform::kGradientFillRectV, 0xFE00, 0xFF00, 0xFF00},
    };
    for (const Case& c : cases) {
        CAPTURE(c.colour);
        const Gradient gradient = AboutGradient(client, c.colour);
        CHECK(gradient.mode == c.mode);
        CHECK(gradient.topLeft == platform::TriVertex{0, 0, 0xFF00, 0xFF00, 0xFF00, 0});
        CHECK(gradient.bottomRight == platform::TriVertex{300, 200, c.red, c.green, c.blue, 0});
    }
    CHECK(AboutGradient({5, 6, 7, 8}, 1).topLeft.x == 5);
    CHECK(AboutGradient({5, 6, 7, 8}, 1).bottomRight.y == 8);
}

TEST_CASE("every paint fills the whole client area with a new random colour") {
    FreshMachine m;
    m.machine.info.clientRects[0x777] = {0, 0, 320, 240};
    Randomize(42);
    for (int i = 0; i < 6; ++i) AboutBoxPaint(0x777, 0x1234);
    REQUIRE(m.machine.info.gradientFills.size() == 6);
    std::vector<platform::TriVertex> ends;
    bool sawH = false, sawV = false;
    for (const fake::GradientFillCall& fill : m.machine.info.gradientFills) {
        CHECK(fill.surface == 0x1234);
        CHECK(fill.topLeft == platform::TriVertex{0, 0, 0xFF00, 0xFF00, 0xFF00, 0});
        CHECK(fill.bottomRight.x == 320);
        CHECK(fill.bottomRight.y == 240);
        const bool odd = (fill.bottomRight.red >> 8) & 1;
        CHECK(fill.mode == (odd ? platform::kGradientFillRectH : platform::kGradientFillRectV));
        (odd ? sawH : sawV) = true;
        ends.push_back(fill.bottomRight);
    }
    CHECK(std::unique(ends.begin(), ends.end()) == ends.end());
    CHECK((sawH && sawV));
}

TEST_CASE("the calendar, stepped day by day over four centuries and more, agrees with the arithmetic") {
    const auto leap = [](int y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); };
    CHECK(DaysFromCivil(1970, 1, 1) == 0);
    CHECK(FromMilliseconds(-1) == platform::SystemTime{1969, 12, 31, 23, 59, 59, 999});
    platform::SystemTime date{1601, 1, 1, 0, 0, 0, 0};
    int weekday = 0;  // 1 January 1601 was a Monday
    for (std::int64_t days = DaysFromCivil(1601, 1, 1); date.year < 2402; ++days) {
        // Midnight, the last millisecond, or a moment that moves from day to day.
        const std::int64_t within =
            std::array<std::int64_t, 3>{0, kMillisecondsPerDay - 1,
                                        (days * 7919 % kMillisecondsPerDay + kMillisecondsPerDay) %
                                            kMillisecondsPerDay}[(days % 3 + 3) % 3];
        platform::SystemTime moment = date;
        moment.hour = static_cast<int>(within / kMillisecondsPerHour);
        moment.minute = static_cast<int>(within / kMillisecondsPerMinute % 60);
        moment.second = static_cast<int>(within / 1000 % 60);
        moment.milliseconds = static_cast<int>(within % 1000);
        REQUIRE(DaysFromCivil(date.year, date.month, date.day) == days);
        REQUIRE(FromMilliseconds(days * kMillisecondsPerDay + within) == moment);
        REQUIRE(ToMilliseconds(moment) == days * kMillisecondsPerDay + within);
        REQUIRE(WeekdayIndex(days) == weekday);
        weekday = (weekday + 1) % 7;

        const int length =
            date.month == 2 ? (leap(date.year) ? 29 : 28) : 30 + (date.month + date.month / 8) % 2;
        if (++date.day > length)
            date = date.month == 12 ? platform::SystemTime{date.year + 1, 1, 1, 0, 0, 0, 0}
                                    : platform::SystemTime{date.year, date.month + 1, 1, 0, 0, 0, 0};
    }
}
