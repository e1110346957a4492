#include <doctest.h>

#include "../printing.h"
#include "platform/clock_locale.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "temp_folder.h"
#include "url/path_to_url.h"
#include "url/source_path.h"
#include "url/wire_url.h"

namespace {

// A real shell link, written the way the shell writes one.
void MakeShortcut(const std::wstring& linkPath, const std::wstring* target) {
    platform::ShellLink link;
    if (target) REQUIRE(link.SetPath(*target) >= 0);  // S_FALSE for a missing target
    REQUIRE(link.Save(linkPath, false) == 0);
}

}  // namespace

TEST_CASE("a real shortcut resolves to its target, spaces and all") {
    TempFolder folder(L"link-spaces");
    const std::wstring target = folder / LR"(My Mirror\www.example.com\docs\page one.html)";
    WriteFile(target, "<html></html>");
    const std::wstring link = folder / L"Page One.LNK";
    MakeShortcut(link, &target);

    CHECK(IsShortcutPath(link, platform::kLocaleEnglishUs));
    CHECK(ResolveShortcut(link) == target);
    CHECK(ResolveSourcePath(link, platform::kLocaleEnglishUs) == target);
    CHECK(PathToUrl(ResolveSourcePath(link, platform::kLocaleEnglishUs)) ==
          L"http://www.example.com/docs/page one.html");
}

TEST_CASE("a shortcut holding a short 8.3 target yields the long form") {
    TempFolder folder(L"link-short");
    const std::wstring target = folder / LR"(Mirror Copies\www.example.com\index.html)";
    WriteFile(target, "x");
    const std::wstring shortTarget = ShortPathOf(target);
    REQUIRE_FALSE(shortTarget.empty());
    REQUIRE(shortTarget != target);
    const std::wstring link = folder / L"page.lnk";
    MakeShortcut(link, &shortTarget);

    CHECK(ResolveSourcePath(link, platform::kLocaleEnglishUs) == target);
}

TEST_CASE("a shortcut whose target is gone gives the stored path unchanged") {
    TempFolder folder(L"link-missing");
    const std::wstring target = folder / LR"(gone\www.example.com\old.html)";
    const std::wstring link = folder / L"old.lnk";
    MakeShortcut(link, &target);

    CHECK(ResolveSourcePath(link, platform::kLocaleEnglishUs) == target);
}

TEST_CASE("a .lnk file that holds no shortcut stands for itself, in long form") {
    TempFolder folder(L"link-garbage");
    const std::wstring link = folder / LR"(Long Folder Name\page.lnk)";
    WriteFile(link, "this is not a shell link at all");
    const std::wstring shortLink = ShortPathOf(link);
    REQUIRE_FALSE(shortLink.empty());

    CHECK(ResolveShortcut(link) == link);
    CHECK(ResolveSourcePath(shortLink, platform::kLocaleEnglishUs) == link);
}

TEST_CASE("a shortcut with no path gives the empty source") {
    TempFolder folder(L"link-empty");
    const std::wstring link = folder / L"nothing.lnk";
    MakeShortcut(link, nullptr);

    CHECK(ResolveShortcut(link) == L"");
    CHECK(ResolveSourcePath(link, platform::kLocaleEnglishUs) == L"");
}

TEST_CASE("GetLongFileName turns short names long and leaves missing paths alone") {
    TempFolder folder(L"long-names");
    const std::wstring file = folder / LR"(A Rather Long Folder\another long file name.html)";
    WriteFile(file, "x");
    CHECK(GetLongFileName(ShortPathOf(file)) == file);
    CHECK(GetLongFileName(folder / L"no such file.html") == folder / L"no such file.html");
}

TEST_CASE("GetLongFileName keeps the input when the long form passes 260 characters") {
    TempFolder folder(L"long-260");
    std::wstring deep = L"\\\\?\\" + folder.Path();
    for (int i = 0; i < 5; ++i) deep += L"\\" + std::wstring(60, static_cast<wchar_t>(L'a' + i));
    const std::wstring file = deep + L"\\page.html";
    WriteFile(file, "x");
    // The short spelling without the \\?\ prefix is an ordinary path under 260 characters.
    const std::wstring shortForm = ShortPathOf(file).substr(4);
    REQUIRE(shortForm.size() > 3);
    REQUIRE(shortForm.size() < 260);

    const platform::LongPathResult found = platform::GetLongPathNameW(shortForm, 261);
    CAPTURE(shortForm);
    CAPTURE(found.text);
    REQUIRE(found.result > 260);  // the platform reports the size it would need
    CHECK(GetLongFileName(shortForm) == shortForm);
}

TEST_CASE("the shortcut rule lower-cases through the real locale mapping") {
    const std::uint32_t locale = platform::GetThreadLocale();
    CHECK(platform::LCMapStringW(locale, platform::kLcmapLowercase | platform::kLcmapLinguisticCasing,
                                 L".LnK") == L".lnk");
    CHECK(IsShortcutPath(LR"(C:\Links\PAGE.LNK)", locale));
    CHECK_FALSE(IsShortcutPath(LR"(C:\Links\page.lnk.txt)", locale));
}

TEST_CASE("a host outside ASCII goes out in the system's own IDNA form") {
    CHECK(WireUrl(L"http://例え.jp/記事.html") == L"http://xn--r8jz45g.jp/%E8%A8%98%E4%BA%8B.html");
    CHECK(WireUrl(L"http://ドメイン名例.jp/") == L"http://xn--eckwd4c7cu47r2wf.jp/");
}
