// The settings file's encodings. Input: a byte choosing the ANSI code page, then bytes that are
// decoded after each mark and, read three at a time, give the code points of a text to encode.
#include "settings/text_encoding.h"

#include <algorithm>

#include "input.h"
#include "platform/fake/fake_platform.h"
#include "platform/unicode.h"

namespace {

struct Marked {
    TextEncoding encoding;
    const char* mark;
};
constexpr Marked kMarked[] = {
    {TextEncoding::Utf8, "\xEF\xBB\xBF"},
    {TextEncoding::Utf16Le, "\xFF\xFE"},
    {TextEncoding::Utf16Be, "\xFE\xFF"},
};

bool Below(wchar_t c, std::uint32_t limit) { return static_cast<std::uint32_t>(c) < limit; }

// Unicode scalar values only: surrogates in pairs with 16-bit wchar_t, none with 32-bit.
bool WellFormed(const std::wstring& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto unit = static_cast<std::uint32_t>(text[i]);
        if (unit > 0x10FFFF) return false;
        if (sizeof(wchar_t) == 2 && unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() &&
            static_cast<std::uint32_t>(text[i + 1]) >= 0xDC00 &&
            static_cast<std::uint32_t>(text[i + 1]) < 0xE000) {
            ++i;
            continue;
        }
        if (unit >= 0xD800 && unit < 0xE000) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint32_t codePage = input.Flag() ? platform::kCodePageUtf8 : 1252;
    const std::string bytes = input.RestBytes();
    fake::Reset();

    std::wstring text;
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        const char32_t point =
            (static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8 |
             static_cast<unsigned char>(bytes[i + 2]) << 16) %
            0x110000;
        if (point < 0xD800 || point >= 0xE000) platform::unicode::AppendCodePoint(text, point);
    }

    for (const auto& [encoding, mark] : kMarked) {
        // Any text goes out with its mark and comes back as it was.
        const std::string encoded = EncodeText(text, encoding, codePage);
        CHECK(encoded.starts_with(mark));
        CHECK(DetectEncoding(encoded) == encoding);
        CHECK(DecodeText(encoded, encoding, codePage) == text);

        // Any bytes after the mark, odd counts included, are read; what came in is written and
        // read again unchanged. UTF-8 comes in as scalar values only (ill-formed bytes become
        // U+FFFD); UTF-16 is the profile's own form and goes out again unit for unit, an
        // unpaired surrogate included, so that nothing in a file is lost by a rewrite.
        const std::string file = mark + bytes;
        CHECK(DetectEncoding(file) == encoding);
        const std::wstring decoded = DecodeText(file, encoding, codePage);
        CHECK(DecodeText(EncodeText(decoded, encoding, codePage), encoding, codePage) == decoded);
        if (encoding == TextEncoding::Utf8)
            CHECK(WellFormed(decoded));
        else
            CHECK(EncodeText(decoded, encoding, codePage) == file.substr(0, 2 + bytes.size() / 2 * 2));
    }

    // In UTF-8 an ASCII character comes only from its own byte: C0 8A is no line feed.
    const std::wstring decoded = DecodeText("\xEF\xBB\xBF" + bytes, TextEncoding::Utf8, codePage);
    std::wstring asciiIn;
    for (const unsigned char byte : bytes)
        if (byte < 0x80) asciiIn += static_cast<wchar_t>(byte);
    std::wstring asciiOut = decoded;
    std::erase_if(asciiOut, [](wchar_t c) { return !Below(c, 0x80); });
    CHECK(asciiOut == asciiIn);

    // A file without a mark is in the ANSI code page; a new one in a UTF-8 code page gets the
    // UTF-8 mark, in any other the code page's bytes, which read back for what it can hold
    // unless they begin like a mark (the program's own files begin with "[").
    TextEncoding announced = TextEncoding::Ansi;
    for (const auto& [encoding, mark] : kMarked)
        if (bytes.starts_with(mark)) announced = encoding;
    CHECK(DetectEncoding(bytes) == announced);
    const std::string ansi = EncodeText(text, TextEncoding::Ansi, codePage);
    if (codePage == platform::kCodePageUtf8) {
        CHECK(ansi == EncodeText(text, TextEncoding::Utf8, codePage));
    } else if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return Below(c, 0x100); }) &&
               DetectEncoding(ansi) == TextEncoding::Ansi) {
        CHECK(DecodeText(ansi, TextEncoding::Ansi, codePage) == text);
    }
    return 0;
}
