#include "info/civil_time.h"

namespace {
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
}  // namespace

std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = FloorDiv(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::int64_t ToMilliseconds(const platform::SystemTime& t) {
    return DaysFromCivil(t.year, t.month, t.day) * kMillisecondsPerDay + t.hour * kMillisecondsPerHour +
           t.minute * kMillisecondsPerMinute + t.second * 1000 + t.milliseconds;
}

platform::SystemTime FromMilliseconds(std::int64_t ms) {
    const std::int64_t days = FloorDiv(ms, kMillisecondsPerDay);
    std::int64_t rest = ms - days * kMillisecondsPerDay;
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
    time.hour = static_cast<int>(rest / kMillisecondsPerHour);
    rest %= kMillisecondsPerHour;
    time.minute = static_cast<int>(rest / kMillisecondsPerMinute);
    rest %= kMillisecondsPerMinute;
    time.second = static_cast<int>(rest / 1000);
    time.milliseconds = static_cast<int>(rest % 1000);
    return time;
}

// 1970-01-01 was a Thursday.
int WeekdayIndex(std::int64_t days) { return static_cast<int>(((days % 7) + 7 + 3) % 7); }
