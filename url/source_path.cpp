#include "url/source_path.h"

#include "files/paths.h"
#include "platform/clock_locale.h"
#include "platform/files.h"
#include "platform/shell.h"

namespace {

constexpr int kTargetBufferChars = 260;
constexpr std::uint32_t kLongNameBufferChars = 261;

}  // namespace

bool IsShortcutPath(const std::wstring& path, std::uint32_t locale) {
    // The extension ends at a "\" or a drive's colon; "/" is part of a name here.
    const std::wstring extension = ExtensionPart(path, kBackslashColon);
    if (extension.empty()) return false;
    return platform::LCMapStringW(locale, platform::kLcmapLowercase | platform::kLcmapLinguisticCasing,
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

std::wstring ResolveSourcePath(const std::wstring& path, std::uint32_t locale) {
    if (!IsShortcutPath(path, locale)) return path;
    return GetLongFileName(ResolveShortcut(path));
}
