// The fake machine's one State, and the text the fake disk holds in its encodings.
#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cwctype>

#include "platform/unicode.h"

namespace fake {

namespace {

wchar_t Fold(wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); }

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
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return platform::unicode::DecodeUtf8(std::string_view(bytes).substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return platform::unicode::DecodeUtf16(std::string_view(bytes).substr(2), false);
    if (bytes.starts_with("\xFE\xFF"))
        return platform::unicode::DecodeUtf16(std::string_view(bytes).substr(2), true);
    if (codePage == platform::kCodePageUtf8) return platform::unicode::DecodeUtf8(bytes);
    std::wstring text;
    for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
}

}  // namespace fake
