#pragma once
// How the settings file spells its values, read and written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/clock_locale.h"

// An integer as the file may hold it: leading spaces, a sign, then decimal digits or hex
// digits after "$", "x", "X", "0x" or "0X", nothing after; it must fit in 32 bits (eight hex
// digits are a signed pattern). Anything else has no value.
std::optional<std::int32_t> ParseProfileInteger(std::wstring_view text);
std::int32_t ProfileIntegerOr(std::wstring_view text, std::int32_t fallback);
// Read as an integer defaulting to 1 or 0; any accepted non-zero value is true.
bool ProfileBooleanOr(std::wstring_view text, bool fallback);

std::wstring FormatProfileInteger(std::int64_t value);
std::wstring FormatProfileBoolean(bool value);

// The user's short date, a space and the long time; midnight has no time part.
std::wstring FormatLastClose(const platform::SystemTime& time);
