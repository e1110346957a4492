#include <doctest.h>

#include <cwctype>
#include <optional>

#include "../printing.h"
#include "settings/placement_defaults.h"
#include "settings/values.h"

namespace {

struct IntegerCase {
    const wchar_t* text;
    std::optional<std::int32_t> value;
};

const IntegerCase kIntegerCases[] = {
    {L"0", 0},
    {L"123", 123},
    {L"+123", 123},
    {L"-123", -123},
    {L"   42", 42},
    {L"007", 7},
    {L"2147483647", 2147483647},
    {L"-2147483648", -2147483647 - 1},
    {L"2147483648", std::nullopt},
    {L"-2147483649", std::nullopt},
    {L"99999999999999999999", std::nullopt},
    {L"$10", 16},
    {L"x10", 16},
    {L"X1f", 31},
    {L"0x10", 16},
    {L"0X1F", 31},
    {L"0x1", 1},
    {L"-$10", -16},
    {L"+0xff", 255},
    {L"$7FFFFFFF", 2147483647},
    {L"$FFFFFFFF", -1},
    {L"0x80000000", -2147483647 - 1},
    {L"$100000000", std::nullopt},
    {L"$", std::nullopt},
    {L"0x", std::nullopt},
    {L"$G", std::nullopt},
    {L"12abc", std::nullopt},
    {L"12 ", std::nullopt},
    {L"1 2", std::nullopt},
    {L"", std::nullopt},
    {L" ", std::nullopt},
    {L"-", std::nullopt},
    {L"+-1", std::nullopt},
    {L"\t5", std::nullopt},
    {L"true", std::nullopt},
    {L"1.5", std::nullopt},
};

}  // namespace

TEST_CASE("an integer is accepted only in the forms the file may hold") {
    for (const IntegerCase& c : kIntegerCases) {
        CAPTURE(doctest::Utf8(c.text));
        CHECK(ParseProfileInteger(c.text) == c.value);
    }
}

TEST_CASE("a digit counts only in its own base, in either case") {
    const std::wstring hexDigits = L"0123456789abcdef";
    for (wchar_t c = 0x21; c < 0x7F; ++c) {
        CAPTURE(static_cast<int>(c));
        const std::size_t decimal = std::wstring_view(L"0123456789").find(c);
        const std::size_t hex = hexDigits.find(static_cast<wchar_t>(std::towlower(c)));
        CHECK(ParseProfileInteger(std::wstring(L"1") + c) ==
              (decimal == std::wstring::npos ? std::nullopt : std::optional<std::int32_t>(10 + decimal)));
        CHECK(ParseProfileInteger(std::wstring(L"$1") + c) ==
              (hex == std::wstring::npos ? std::nullopt : std::optional<std::int32_t>(16 + hex)));
    }
}

TEST_CASE("an integer is read from its own characters, whatever follows them in the file") {
    for (const IntegerCase& c : kIntegerCases)
        for (const wchar_t* after : {L" ", L"-", L"x", L"5"}) {
            const std::wstring file = std::wstring(c.text) + after;
            CAPTURE(doctest::Utf8(file));
            CHECK(ParseProfileInteger(std::wstring_view(file).substr(0, file.size() - 1)) == c.value);
        }
}

TEST_CASE("an unusable integer gives the default") {
    CHECK(ProfileIntegerOr(L"12abc", 820) == 820);
    CHECK(ProfileIntegerOr(L"", -5) == -5);
    CHECK(ProfileIntegerOr(L"0", 820) == 0);
}

TEST_CASE("a boolean is an integer defaulting to 1 or 0, true when non-zero") {
    struct Case {
        const wchar_t* text;
        bool fallback;
        bool value;
    };
    const Case cases[] = {
        {L"1", false, true},  {L"0", true, false},     {L"2", false, true},   {L"-1", false, true},
        {L"$0", true, false}, {L"true", false, false}, {L"true", true, true}, {L"", false, false},
        {L"", true, true},    {L"yes", false, false},
    };
    for (const Case& c : cases) {
        CAPTURE(doctest::Utf8(c.text));
        CAPTURE(c.fallback);
        CHECK(ProfileBooleanOr(c.text, c.fallback) == c.value);
    }
}

TEST_CASE("integers and booleans are written in plain signed decimal, 1 and 0") {
    CHECK(FormatProfileInteger(0) == L"0");
    CHECK(FormatProfileInteger(-32000) == L"-32000");
    CHECK(FormatProfileInteger(2147483647) == L"2147483647");
    CHECK(FormatProfileBoolean(true) == L"1");
    CHECK(FormatProfileBoolean(false) == L"0");
}

TEST_CASE("the default placement sits a third down the work area") {
    struct Case {
        platform::Rect workArea;
        std::int32_t height;
        platform::Rect expected;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1040}, 280, {820, 346, 1166, 692}},
        {{0, 0, 1280, 984}, 350, {465, 328, 793, 656}},
        {{0, 0, 100, 100}, 281, {-90, 33, -57, 66}},  // narrower than the window: truncates toward zero
        {{-1920, 0, 0, 1040}, 280, {820, 346, 1166, 692}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.workArea.right);
        const std::int32_t top = DefaultTop(c.workArea);
        const std::int32_t left = DefaultLeft(c.workArea, c.height);
        CHECK(platform::Rect{left, top, DefaultRight(left, top), DefaultBottom(top)} == c.expected);
    }
}

TEST_CASE("Right and Bottom defaults follow the values read for Left and Top, wrapping at 32 bits") {
    CHECK(DefaultRight(200, 100) == 300);
    CHECK(DefaultBottom(100) == 200);
    CHECK(DefaultRight(2147483647, 1) == -2147483647 - 1);
    CHECK(DefaultBottom(2000000000) == -294967296);
    CHECK(DefaultBottom(-2147483647 - 1) == 0);
}
