#include "files/paths.h"

#include "platform/error.h"

namespace {

// The longest path the file functions accept, terminator included.
constexpr std::size_t kMaxPath = 260;
constexpr std::wstring_view kSlashes = L"\\/";

bool EndsWithAny(std::wstring_view text, std::wstring_view characters) {
    return !text.empty() && characters.find(text.back()) != std::wstring_view::npos;
}

// The separator that ends "\\server\share", or npos when the path is not a UNC path.
std::size_t ShareRootEnd(std::wstring_view path) {
    if (path.size() < 2 || kSlashes.find(path[0]) == std::wstring_view::npos ||
        kSlashes.find(path[1]) == std::wstring_view::npos)
        return std::wstring_view::npos;
    const std::size_t server = path.find_first_of(kSlashes, 2);
    if (server == std::wstring_view::npos) return path.size();
    const std::size_t share = path.find_first_of(kSlashes, server + 1);
    return share == std::wstring_view::npos ? path.size() : share;
}

}  // namespace

std::wstring FileNamePart(std::wstring_view path, std::wstring_view separators) {
    const std::size_t last = path.find_last_of(separators);
    return std::wstring(last == std::wstring_view::npos ? path : path.substr(last + 1));
}

std::wstring FolderPart(std::wstring_view path, std::wstring_view separators) {
    const std::size_t last = path.find_last_of(separators);
    return last == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, last + 1));
}

std::wstring ExtensionPart(std::wstring_view path, std::wstring_view separators) {
    const std::wstring name = FileNamePart(path, separators);
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

std::wstring BaseNamePart(std::wstring_view path, std::wstring_view separators) {
    const std::wstring name = FileNamePart(path, separators);
    return name.substr(0, name.size() - ExtensionPart(path, separators).size());
}

std::wstring WithExtension(std::wstring_view path, std::wstring_view separators,
                           std::wstring_view extension) {
    const std::size_t kept = path.size() - ExtensionPart(path, separators).size();
    return std::wstring(path.substr(0, kept)) + std::wstring(extension);
}

std::wstring DirectoryPart(std::wstring_view path) {
    RequireShortPath(path);
    const std::size_t last = path.find_last_of(kBackslashSlashColon);
    if (last == std::wstring_view::npos) return {};
    // A colon, or a separator right after one, belongs to the drive and stays.
    if (path[last] == L':' || (last > 0 && path[last - 1] == L':'))
        return std::wstring(path.substr(0, last + 1));
    return std::wstring(path.substr(0, last));
}

std::wstring EnclosingFolder(std::wstring_view path) {
    RequireShortPath(path);
    const std::size_t last = path.find_last_of(kSlashes);
    if (last == std::wstring_view::npos) return {};
    const std::size_t shareEnd = ShareRootEnd(path);
    if (shareEnd != std::wstring_view::npos && last < shareEnd) return {};
    if (last > 0 && path[last - 1] == L':')
        return last + 1 == path.size() ? std::wstring() : std::wstring(path.substr(0, last + 1));
    return std::wstring(path.substr(0, last));
}

std::wstring JoinBaseName(std::wstring_view directory, std::wstring_view baseName) {
    if (baseName.empty()) return std::wstring(directory);
    return std::wstring(directory) + (EndsWithAny(directory, kBackslashSlashColon) ? L"" : L"\\") +
           std::wstring(baseName);
}

std::wstring JoinPath(std::wstring_view first, std::wstring_view second) {
    if (first.empty()) return std::wstring(second);
    return std::wstring(first) + (EndsWithAny(first, kBackslashSlashColon) ? L"" : L"\\") +
           std::wstring(second);
}

void RequireShortPath(std::wstring_view path) {
    if (path.size() >= kMaxPath && !path.starts_with(L"\\\\?\\"))
        throw platform::Error(L"The specified path is too long");
}
