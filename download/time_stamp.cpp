#include "download/time_stamp.h"

#include <cstdio>

std::wstring TimeStamp(const platform::SystemTime& time) {
    char text[32] = {};
    std::snprintf(text, sizeof text, "-%04d%02d%02d-%02d%02d%02d%03d", time.year, time.month, time.day,
                  time.hour, time.minute, time.second, time.milliseconds);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}
