// PathToUrl against the rule written out afresh. Input: the path as UTF-16LE units.
#include "url/path_to_url.h"

#include <algorithm>

#include "input.h"

namespace {

// The first component with a dot holds the path's first dot. From that component on, each
// component is written followed by CR LF, the blanks (up to U+0020) at both ends of that text
// go, and every CR LF left becomes "/". Only for paths without CR or LF of their own.
std::wstring Reference(std::wstring_view path) {
    const std::size_t dot = path.find(L'.');
    if (dot == std::wstring_view::npos) return L"http://";
    const std::size_t host = path.rfind(L'\\', dot) + 1;  // npos + 1 is 0
    std::wstring text;
    for (const wchar_t c : path.substr(host)) text += c == L'\\' ? std::wstring(L"\r\n") : std::wstring(1, c);
    text += L"\r\n";
    const auto blank = [](wchar_t c) { return c <= L' '; };
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
    text.erase(std::find_if_not(text.rbegin(), text.rend(), blank).base(), text.end());
    std::wstring url = L"http://";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, L"\r\n") == 0) {
            url += L'/';
            ++i;
        } else {
            url += text[i];
        }
    }
    return url;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::wstring path = input.RestText();
    const std::wstring url = PathToUrl(path);

    CHECK(url.starts_with(L"http://"));
    CHECK(url.find(L'\\') == std::wstring::npos);
    if (path.find_first_of(L"\r\n") == std::wstring::npos) CHECK(url == Reference(path));

    // Every "/" after the scheme is a backslash or a "/" of the path from the host on.
    const std::size_t dot = path.find(L'.');
    const std::wstring_view fromHost = dot == std::wstring::npos
                                           ? std::wstring_view()
                                           : std::wstring_view(path).substr(path.rfind(L'\\', dot) + 1);
    const auto slashes = std::count(url.begin() + 7, url.end(), L'/');
    CHECK(slashes <= std::count(fromHost.begin(), fromHost.end(), L'\\') +
                         std::count(fromHost.begin(), fromHost.end(), L'/'));
    return 0;
}
