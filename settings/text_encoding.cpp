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

std::wstring FromUtf8(const std::string& bytes, std::size_t start) {
    std::wstring text;
    for (std::size_t i = start; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80         ? 0
                          : (lead >> 5) == 6  ? 1
                          : (lead >> 4) == 14 ? 2
                          : (lead >> 3) == 30 ? 3
                                              : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= bytes.size()) {
            Append(text, kReplacement);
            ++i;
            continue;
        }
        char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) valid = false;
            point = (point << 6) | (next & 0x3F);
        }
        if (!valid) {
            Append(text, kReplacement);
            ++i;
            continue;
        }
        Append(text, point);
        i += static_cast<std::size_t>(extra) + 1;
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
