#include "settings/text_encoding.h"

#include <algorithm>
#include <vector>

#include "platform/clock_locale.h"
#include "platform/unicode.h"

namespace {

using platform::unicode::AppendCodePoint;
using platform::unicode::CodePoints;
using platform::unicode::DecodeUtf16;
using platform::unicode::DecodeUtf8;
using platform::unicode::EncodeUtf8;

std::string Utf16(const std::wstring& text, bool bigEndian) {
    std::string out;
    const auto unit = [&](char32_t u) {
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    for (char32_t p : CodePoints(text)) {
        if (p >= 0x10000) {
            p -= 0x10000;
            unit(0xD800 + (p >> 10));
            unit(0xDC00 + (p & 0x3FF));
        } else {
            unit(p);
        }
    }
    return out;
}

bool StartsWith(const std::string& bytes, const char* mark) { return bytes.rfind(mark, 0) == 0; }

}  // namespace

TextEncoding DetectEncoding(const std::string& bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF")) return TextEncoding::Utf8;
    if (StartsWith(bytes, "\xFF\xFE")) return TextEncoding::Utf16Le;
    if (StartsWith(bytes, "\xFE\xFF")) return TextEncoding::Utf16Be;
    return TextEncoding::Ansi;
}

std::wstring DecodeText(const std::string& bytes, TextEncoding encoding, std::uint32_t ansiCodePage) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return DecodeUtf8(std::string_view(bytes).substr(std::min<std::size_t>(3, bytes.size())));
        case TextEncoding::Utf16Le:
            return DecodeUtf16(std::string_view(bytes).substr(std::min<std::size_t>(2, bytes.size())), false);
        case TextEncoding::Utf16Be:
            return DecodeUtf16(std::string_view(bytes).substr(std::min<std::size_t>(2, bytes.size())), true);
        case TextEncoding::Ansi:
            break;
    }
    return platform::MultiByteToWideChar(ansiCodePage, bytes);
}

std::string EncodeText(const std::wstring& text, TextEncoding encoding, std::uint32_t ansiCodePage) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "\xEF\xBB\xBF" + EncodeUtf8(text);
        case TextEncoding::Utf16Le:
            return "\xFF\xFE" + Utf16(text, false);
        case TextEncoding::Utf16Be:
            return "\xFE\xFF" + Utf16(text, true);
        case TextEncoding::Ansi:
            break;
    }
    if (ansiCodePage == platform::kCodePageUtf8) return "\xEF\xBB\xBF" + EncodeUtf8(text);
    return platform::WideCharToMultiByte(ansiCodePage, text);
}
