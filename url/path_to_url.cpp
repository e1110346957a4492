#include "url/path_to_url.h"

#include <vector>

namespace {

// Only U+0000..U+0020 count as blank: a no-break or ideographic space is part of a name.
bool IsBlank(wchar_t c) { return c <= L' '; }

bool IsBlankComponent(std::wstring_view component) {
    for (wchar_t c : component)
        if (!IsBlank(c)) return false;
    return true;
}

// Every backslash ends a component, so n separators give n + 1 components, empty ones
// included; the empty path has none.
std::vector<std::wstring_view> SplitComponents(std::wstring_view path) {
    std::vector<std::wstring_view> components;
    if (path.empty()) return components;
    std::size_t start = 0;
    for (;;) {
        const std::size_t separator = path.find(L'\\', start);
        if (separator == std::wstring_view::npos) {
            components.push_back(path.substr(start));
            return components;
        }
        components.push_back(path.substr(start, separator - start));
        start = separator + 1;
    }
}

}  // namespace

std::wstring PathToUrl(std::wstring_view path) {
    std::wstring url = L"http://";
    const std::vector<std::wstring_view> components = SplitComponents(path);

    std::size_t first = 0;
    while (first < components.size() && components[first].find(L'.') == std::wstring_view::npos) ++first;
    if (first == components.size()) return url;

    // The host component holds a dot, so this stops at it at the latest.
    std::size_t last = components.size() - 1;
    while (IsBlankComponent(components[last])) --last;

    for (std::size_t i = first; i <= last; ++i) {
        std::wstring_view component = components[i];
        if (i == first)
            while (!component.empty() && IsBlank(component.front())) component.remove_prefix(1);
        if (i == last)
            while (!component.empty() && IsBlank(component.back())) component.remove_suffix(1);
        if (i != first) url += L'/';
        url += component;
    }
    return url;
}
