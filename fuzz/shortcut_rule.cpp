// IsShortcutPath over the fake's LCMapStringW (towlower) and any locale. Input: four bytes of
// locale, then the path as UTF-16LE units.
#include <cwctype>

#include "input.h"
#include "platform/fake/fake_platform.h"
#include "url/source_path.h"

namespace {

// A shortcut's path ends in ".lnk" in any case, with no "\" or ":" after that last dot.
bool Reference(const std::wstring& path) {
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || path.find_first_of(L"\\:", dot) != std::wstring::npos) return false;
    std::wstring extension = path.substr(dot);
    for (wchar_t& c : extension) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return extension == L".lnk";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::uint32_t locale = input.U32();
    const std::wstring path = input.RestText();
    fake::Reset();

    CHECK(IsShortcutPath(path, locale) == Reference(path));
    // Whenever the case is mapped, it is mapped by the locale the caller gave.
    for (const auto& [usedLocale, flags] : fake::Platform().lcmapCalls) {
        CHECK(usedLocale == locale);
        CHECK((flags & platform::kLcmapLowercase) != 0);
    }
    return 0;
}
