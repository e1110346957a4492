// The fake machine's one State, and the text the fake disk holds in its encodings.
#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cwctype>

namespace fake {

namespace {

wchar_t Fold(wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); }

void AppendCodePoint(std::wstring& text, char32_t point) {
    if (sizeof(wchar_t) == 2 && point >= 0x10000) {
        point -= 0x10000;
        text += static_cast<wchar_t>(0xD800 + (point >> 10));
        text += static_cast<wchar_t>(0xDC00 + (point & 0x3FF));
    } else {
        text += static_cast<wchar_t>(point);
    }
}

// Well-formed UTF-8 only: the tests' files are.
std::wstring FromUtf8(const std::string& bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t point = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < bytes.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        AppendCodePoint(text, point);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return text;
}

std::wstring FromUtf16(const std::string& bytes, bool bigEndian) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        char32_t unit = bigEndian ? (first << 8 | second) : (second << 8 | first);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const auto a = static_cast<unsigned char>(bytes[i + 2]);
            const auto b = static_cast<unsigned char>(bytes[i + 3]);
            const char32_t low = bigEndian ? (a << 8 | b) : (b << 8 | a);
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendCodePoint(text, unit);
    }
    return text;
}

}  // namespace

bool PathLess::operator()(const std::wstring& a, const std::wstring& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return Fold(x) < Fold(y); });
}

State& Platform() {
    static State state;
    return state;
}

void Reset() { Platform() = State{}; }

Window& TheWindow(platform::WindowHandle handle) { return Platform().windows.at(handle); }

void Log(const char* name) { Platform().calls.emplace_back(name); }

std::optional<std::wstring> Optional(const wchar_t* text) {
    return text ? std::optional<std::wstring>(text) : std::nullopt;
}

std::wstring DecodeFileText(const std::string& bytes, std::uint32_t codePage) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return FromUtf8(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE")) return FromUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return FromUtf16(bytes.substr(2), true);
    if (codePage == platform::kCodePageUtf8) return FromUtf8(bytes);
    std::wstring text;
    for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
}

std::string EncodeUtf8(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto point = static_cast<char32_t>(text[i]);
        if (sizeof(wchar_t) == 2 && point >= 0xD800 && point < 0xDC00 && i + 1 < text.size())
            point = 0x10000 + ((point - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        const int extra = point < 0x80 ? 0 : point < 0x800 ? 1 : point < 0x10000 ? 2 : 3;
        static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
        out += static_cast<char>(kLead[extra] | (point >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((point >> (6 * k)) & 0x3F));
    }
    return out;
}

}  // namespace fake
