// The settings file's integers and booleans against the rule written out afresh. Input: eight
// bytes of a number to format, then the text to read as UTF-16LE units.
#include <limits>

#include "input.h"
#include "settings/values.h"

namespace {

// Spaces, a sign, then decimal digits, or hex digits after "$", "x", "X", "0x" or "0X", and
// nothing else. Decimal must lie in the 32-bit range; hex may have at most eight significant
// digits, a 32-bit pattern that the sign then negates.
std::optional<std::int32_t> Reference(std::wstring_view text) {
    const std::size_t start = text.find_first_not_of(L' ');
    if (start == std::wstring_view::npos) return std::nullopt;
    text.remove_prefix(start);
    const bool negative = text.starts_with(L'-');
    if (negative || text.starts_with(L'+')) text.remove_prefix(1);
    bool hex = false;
    for (const std::wstring_view prefix : {L"0x", L"0X", L"$", L"x", L"X"}) {
        if (text.starts_with(prefix)) {
            hex = true;
            text.remove_prefix(prefix.size());
            break;
        }
    }
    const std::wstring_view digits = hex ? L"0123456789abcdefABCDEF" : L"0123456789";
    if (text.empty() || text.find_first_not_of(digits) != std::wstring_view::npos) return std::nullopt;
    text.remove_prefix(std::min(text.find_first_not_of(L'0'), text.size() - 1));
    if (text.size() > (hex ? 8u : 10u)) return std::nullopt;
    const std::uint64_t value = std::stoull(std::wstring(text), nullptr, hex ? 16 : 10);
    if (hex) {
        const auto pattern = static_cast<std::uint32_t>(value);
        return static_cast<std::int32_t>(negative ? 0u - pattern : pattern);
    }
    const std::int64_t number =
        negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const auto wide = static_cast<std::int64_t>(input.U64());
    const std::wstring text = input.RestText();

    const std::optional<std::int32_t> expected = Reference(text);
    CHECK(ParseProfileInteger(text) == expected);
    const auto fallback = static_cast<std::int32_t>(wide);
    CHECK(ProfileIntegerOr(text, fallback) == expected.value_or(fallback));
    for (const bool given : {false, true})
        CHECK(ProfileBooleanOr(text, given) == (expected ? *expected != 0 : given));

    // What the program writes it reads back; a number beyond 32 bits it refuses.
    CHECK(ParseProfileInteger(FormatProfileInteger(fallback)) == fallback);
    const bool fits =
        wide >= std::numeric_limits<std::int32_t>::min() && wide <= std::numeric_limits<std::int32_t>::max();
    CHECK(ParseProfileInteger(FormatProfileInteger(wide)) ==
          (fits ? std::optional<std::int32_t>(static_cast<std::int32_t>(wide)) : std::nullopt));
    return 0;
}
