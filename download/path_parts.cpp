#include "download/path_parts.h"

#include <cstdio>

namespace {

constexpr std::wstring_view kSeparators = L"\\/";
constexpr std::wstring_view kSeparatorsAndColon = L"\\/:";
// The longest path the file functions accept, terminator included.
constexpr std::size_t kMaxPath = 260;

}  // namespace

std::wstring DirectoryPart(std::wstring_view path) {
    if (path.size() >= kMaxPath && !path.starts_with(L"\\\\?\\"))
        throw platform::Error(L"The specified path is too long");
    const std::size_t last = path.find_last_of(kSeparatorsAndColon);
    if (last == std::wstring_view::npos) return {};
    // A colon, or a separator right after one, belongs to the drive and stays.
    if (path[last] == L':' || (last > 0 && path[last - 1] == L':'))
        return std::wstring(path.substr(0, last + 1));
    return std::wstring(path.substr(0, last));
}

std::wstring FileNamePart(std::wstring_view path) {
    const std::size_t last = path.find_last_of(kSeparatorsAndColon);
    return std::wstring(last == std::wstring_view::npos ? path : path.substr(last + 1));
}

std::wstring ExtensionPart(std::wstring_view path) {
    const std::wstring name = FileNamePart(path);
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

std::wstring BaseNamePart(std::wstring_view path) {
    const std::wstring name = FileNamePart(path);
    return name.substr(0, name.size() - ExtensionPart(path).size());
}

std::wstring JoinBaseName(std::wstring_view directory, std::wstring_view baseName) {
    std::wstring joined(directory);
    if (baseName.empty()) return joined;
    if (joined.empty() ||
        (kSeparators.find(joined.back()) == std::wstring_view::npos && joined.back() != L':'))
        joined += L'\\';
    return joined + std::wstring(baseName);
}

std::wstring TimeStamp(const platform::SystemTime& time) {
    char text[32] = {};
    std::snprintf(text, sizeof text, "-%04d%02d%02d-%02d%02d%02d%03d", time.year, time.month, time.day,
                  time.hour, time.minute, time.second, time.milliseconds);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}
