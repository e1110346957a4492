#include "settings/values.h"

namespace {

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';

    bool hex = false;
    if (i < text.size() && (text[i] == L'$' || text[i] == L'x' || text[i] == L'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return std::nullopt;

    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit =
            hex ? HexDigit(text[i]) : (text[i] >= L'0' && text[i] <= L'9' ? text[i] - L'0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (hex) {
        // Eight hex digits are a 32-bit pattern; the sign then negates that pattern.
        const auto pattern = static_cast<std::uint32_t>(value);
        return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    if (value > (negative ? 2147483648ull : 2147483647ull)) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value)
                                              : static_cast<std::int64_t>(value));
}

std::int32_t ProfileIntegerOr(std::wstring_view text, std::int32_t fallback) {
    return ParseProfileInteger(text).value_or(fallback);
}

bool ProfileBooleanOr(std::wstring_view text, bool fallback) {
    return ProfileIntegerOr(text, fallback ? 1 : 0) != 0;
}

std::wstring FormatProfileInteger(std::int64_t value) { return std::to_wstring(value); }

std::wstring FormatProfileBoolean(bool value) { return value ? L"1" : L"0"; }

std::wstring FormatLastClose(const platform::SystemTime& time) {
    std::wstring text =
        platform::GetDateFormatW(platform::kLocaleUserDefault, platform::kDateShortDate, time);
    if (time.hour != 0 || time.minute != 0 || time.second != 0 || time.milliseconds != 0)
        text += L" " + platform::GetTimeFormatW(platform::kLocaleUserDefault, 0, time);
    return text;
}
