#pragma once
// Dates and times as milliseconds since 1970-01-01 00:00 on the proleptic Gregorian calendar,
// in no particular zone: the arithmetic behind the Kyiv clock.

#include <cstdint>

#include "platform/clock_locale.h"

constexpr std::int64_t kMillisecondsPerMinute = 60 * 1000;
constexpr std::int64_t kMillisecondsPerHour = 60 * kMillisecondsPerMinute;
constexpr std::int64_t kMillisecondsPerDay = 24 * kMillisecondsPerHour;

std::int64_t DaysFromCivil(std::int64_t year, int month, int day);
std::int64_t ToMilliseconds(const platform::SystemTime& time);
platform::SystemTime FromMilliseconds(std::int64_t milliseconds);
// 0 = Monday ... 6 = Sunday, the order of LOCALE_SDAYNAME1 to 7.
int WeekdayIndex(std::int64_t days);
