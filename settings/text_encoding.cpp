#include "settings/text_encoding.h"

#include <vector>

#include "platform/clock_locale.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

std::vector<char32_t> CodePoints(const std::wstring& text) {
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

void Append(std::wstring& text, char32_t point) {
    if (sizeof(wchar_t) == 2 && point >= 0x10000) {
        point -= 0x10000;
        text += static_cast<wchar_t>(0xD800 + (point >> 10));
        text += static_cast<wchar_t>(0xDC00 + (point & 0x3FF));
    } else {
        text += static_cast<wchar_t>(point);
    }
}

std::string Utf8(const std::wstring& text) {
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
SecondByte SecondByteFor(unsigned char lead) {
    if (lead == 0xE0) return {0xA0, 0xBF};
    if (lead == 0xED) return {0x80, 0x9F};
    if (lead == 0xF0) return {0x90, 0xBF};
    if (lead == 0xF4) return {0x80, 0x8F};
    return {0x80, 0xBF};
}

int ContinuationCount(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;  // a continuation byte, C0, C1 or F5..FF never start a character
}

// Ill-formed input becomes U+FFFD, one for each maximal part of a sequence that could have
// been well-formed, as Windows' own conversion does: a settings value can never smuggle in a
// line break or an unpaired surrogate that the next save would write out.
std::wstring FromUtf8(const std::string& bytes, std::size_t start) {
    std::wstring text;
    std::size_t i = start;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i++]);
        if (lead < 0x80) {
            text += static_cast<wchar_t>(lead);
            continue;
        }
        const int extra = ContinuationCount(lead);
        if (extra < 0) {
            Append(text, kReplacement);
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
        Append(text, wellFormed ? point : kReplacement);
    }
    return text;
}

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

std::wstring FromUtf16(const std::string& bytes, bool bigEndian) {
    std::vector<char32_t> units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(bigEndian ? (first << 8 | second) : (second << 8 | first));
    }
    std::wstring text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char32_t u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            Append(text, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            Append(text, u);
        }
    }
    return text;
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
            return FromUtf8(bytes, 3);
        case TextEncoding::Utf16Le:
            return FromUtf16(bytes, false);
        case TextEncoding::Utf16Be:
            return FromUtf16(bytes, true);
        case TextEncoding::Ansi:
            break;
    }
    return platform::MultiByteToWideChar(ansiCodePage, bytes);
}

std::string EncodeText(const std::wstring& text, TextEncoding encoding, std::uint32_t ansiCodePage) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return "\xEF\xBB\xBF" + Utf8(text);
        case TextEncoding::Utf16Le:
            return "\xFF\xFE" + Utf16(text, false);
        case TextEncoding::Utf16Be:
            return "\xFE\xFF" + Utf16(text, true);
        case TextEncoding::Ansi:
            break;
    }
    if (ansiCodePage == platform::kCodePageUtf8) return "\xEF\xBB\xBF" + Utf8(text);
    return platform::WideCharToMultiByte(ansiCodePage, text);
}
