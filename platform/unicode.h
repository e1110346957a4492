#pragma once
// UTF-16 (or UTF-32, where wchar_t is 32 bits) and UTF-8 as Windows converts them: code points
// in and out of wide text, and UTF-8 where ill-formed input becomes U+FFFD, one for each maximal
// part of a sequence that could have been well-formed. Portable and header-only: the settings
// file's encodings and the fake platform's conversions both use it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::unicode {

constexpr char32_t kReplacement = 0xFFFD;

// A surrogate pair of 16-bit wide text is one code point; an unpaired surrogate stays as it is.
inline std::vector<char32_t> CodePoints(std::wstring_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto unit = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size()) {
                const auto low = static_cast<char32_t>(text[i + 1]);
                if (low >= 0xDC00 && low < 0xE000) {
                    points.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                    ++i;
                    continue;
                }
            }
        }
        points.push_back(unit);
    }
    return points;
}

inline void AppendCodePoint(std::wstring& text, char32_t point) {
    if (sizeof(wchar_t) == 2 && point >= 0x10000) {
        point -= 0x10000;
        text += static_cast<wchar_t>(0xD800 + (point >> 10));
        text += static_cast<wchar_t>(0xDC00 + (point & 0x3FF));
    } else {
        text += static_cast<wchar_t>(point);
    }
}

inline std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    for (const char32_t p : CodePoints(text)) {
        if (p < 0x80) {
            out += static_cast<char>(p);
        } else if (p < 0x800) {
            out += static_cast<char>(0xC0 | (p >> 6));
            out += static_cast<char>(0x80 | (p & 0x3F));
        } else if (p < 0x10000) {
            out += static_cast<char>(0xE0 | (p >> 12));
            out += static_cast<char>(0x80 | ((p >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (p & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (p >> 18));
            out += static_cast<char>(0x80 | ((p >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((p >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (p & 0x3F));
        }
    }
    return out;
}

// The range the byte after `lead` must fall in for a well-formed sequence: this is what keeps
// out overlong forms (C0 8A would be a line feed), encoded surrogates and anything above
// U+10FFFF. Later continuation bytes are 80..BF.
struct SecondByte {
    unsigned char low;
    unsigned char high;
};
inline SecondByte SecondByteFor(unsigned char lead) {
    if (lead == 0xE0) return {0xA0, 0xBF};
    if (lead == 0xED) return {0x80, 0x9F};
    if (lead == 0xF0) return {0x90, 0xBF};
    if (lead == 0xF4) return {0x80, 0x8F};
    return {0x80, 0xBF};
}

inline int ContinuationCount(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;  // a continuation byte, C0, C1 or F5..FF never start a character
}

// Ill-formed input becomes U+FFFD, one for each maximal part of a sequence that could have
// been well-formed, as Windows' own conversion does: a settings value can never smuggle in a
// line break or an unpaired surrogate that the next save would write out.
inline std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring text;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i++]);
        if (lead < 0x80) {
            text += static_cast<wchar_t>(lead);
            continue;
        }
        const int extra = ContinuationCount(lead);
        if (extra < 0) {
            AppendCodePoint(text, kReplacement);
            continue;
        }
        char32_t point = lead & (0x3F >> extra);
        bool wellFormed = true;
        for (int k = 0; k < extra; ++k) {
            const SecondByte range = k == 0 ? SecondByteFor(lead) : SecondByte{0x80, 0xBF};
            if (i >= bytes.size()) {
                wellFormed = false;
                break;
            }
            const auto next = static_cast<unsigned char>(bytes[i]);
            if (next < range.low || next > range.high) {
                wellFormed = false;
                break;
            }
            point = (point << 6) | (next & 0x3F);
            ++i;
        }
        AppendCodePoint(text, wellFormed ? point : kReplacement);
    }
    return text;
}

// Units in the given byte order, a trailing odd byte dropped. A surrogate pair becomes one code
// point; an unpaired surrogate stays, so that the text goes out again unit for unit.
inline std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::vector<char32_t> units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    std::wstring text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            AppendCodePoint(text, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendCodePoint(text, u);
        }
    }
    return text;
}

}  // namespace platform::unicode
