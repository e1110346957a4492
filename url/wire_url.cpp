#include "url/wire_url.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/clock_locale.h"
#include "platform/unicode.h"

namespace {

bool IsHexDigit(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'F') || (c >= U'a' && c <= U'f');
}

// Printable ASCII that a request line carries as it is; "%" is decided by what follows it.
bool PassesAsIs(char32_t c) {
    if (c <= 0x20 || c >= 0x7F) return false;
    return std::u32string_view(U"\"#<>?`{}|^").find(c) == std::u32string_view::npos;
}

void AppendEscapedUtf8(std::wstring& out, char32_t point) {
    // An unpaired surrogate has no UTF-8 form.
    if (point >= 0xD800 && point < 0xE000) point = platform::unicode::kReplacement;
    std::wstring one;
    platform::unicode::AppendCodePoint(one, point);
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    for (const unsigned char byte : platform::unicode::EncodeUtf8(one)) {
        out += L'%';
        out += kHex[byte >> 4];
        out += kHex[byte & 0xF];
    }
}

bool IsAscii(std::wstring_view text) {
    for (const wchar_t c : text)
        if (static_cast<std::uint32_t>(c) >= 0x80) return false;
    return true;
}

}  // namespace

std::wstring WirePath(std::wstring_view path) {
    std::wstring out;
    const std::vector<char32_t> points = platform::unicode::CodePoints(path);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const char32_t c = points[i];
        if (c == U'%') {
            // A mirror may keep a name that was escaped already: it must not be escaped twice.
            const bool escape =
                i + 2 < points.size() && IsHexDigit(points[i + 1]) && IsHexDigit(points[i + 2]);
            out += escape ? L"%" : L"%25";
        } else if (PassesAsIs(c)) {
            out += static_cast<wchar_t>(c);
        } else {
            AppendEscapedUtf8(out, c);
        }
    }
    return out;
}

std::wstring WireUrl(std::wstring_view url) {
    constexpr std::wstring_view kScheme = L"http://";
    const std::size_t hostStart = url.starts_with(kScheme) ? kScheme.size() : 0;
    const std::size_t pathStart = std::min(url.find(L'/', hostStart), url.size());
    const std::wstring_view host = url.substr(hostStart, pathStart - hostStart);

    std::wstring out(url.substr(0, hostStart));
    if (IsAscii(host)) {
        out += host;
    } else if (const std::wstring idna = platform::IdnToAscii(std::wstring(host)).value_or(L"");
               !idna.empty() && IsAscii(idna)) {
        out += idna;
    } else {
        out += WirePath(host);
    }
    out += WirePath(url.substr(pathStart));
    return out;
}
