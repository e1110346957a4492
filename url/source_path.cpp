#include "url/source_path.h"

#include "app/application.h"
#include "platform/platform.h"

namespace {

// From the last "." to the end, unless a "\" or ":" comes after that dot.
std::wstring ExtensionOf(const std::wstring& path) {
    const std::size_t found = path.find_last_of(L".\\:");
    if (found == std::wstring::npos || path[found] != L'.') return {};
    return path.substr(found);
}

constexpr int kTargetBufferChars = 260;
constexpr std::uint32_t kLongNameBufferChars = 261;

}  // namespace

bool IsShortcutPath(const std::wstring& path) {
    const std::wstring extension = ExtensionOf(path);
    if (extension.empty()) return false;
    return platform::LCMapStringW(StartupLocale, platform::kLcmapLowercase | platform::kLcmapLinguisticCasing,
                                  extension) == L".lnk";
}

std::wstring ResolveShortcut(const std::wstring& path) {
    platform::ShellLink link;
    if (link.Load(path, platform::kStgmRead) < 0) return path;
    // No SLR_NO_UI: the shell may ask the user about a moved target. No SLR_UPDATE, and the
    // object is never saved, so the shortcut file is only read.
    link.Resolve(0, platform::kSlrAnyMatch);
    std::wstring target;
    link.GetPath(target, kTargetBufferChars, platform::kSlgpUncPriority);
    return target;
}

std::wstring GetLongFileName(const std::wstring& path) {
    const platform::LongPathResult found = platform::GetLongPathNameW(path, kLongNameBufferChars);
    // 0 is failure; more than 260 means the long form did not fit.
    if (found.result >= 1 && found.result <= 260) return found.text;
    return path;
}

std::wstring ResolveSourcePath(const std::wstring& path) {
    if (!IsShortcutPath(path)) return path;
    return GetLongFileName(ResolveShortcut(path));
}
