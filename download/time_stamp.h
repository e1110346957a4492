#pragma once

#include <string>

#include "platform/clock_locale.h"

// The Save As time stamp "-yyyymmdd-HHNNSSzzz": always 19 characters, zero-padded, on the
// 24-hour clock.
std::wstring TimeStamp(const platform::SystemTime& time);
