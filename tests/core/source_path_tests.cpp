#include <doctest.h>

#include "fixture.h"
#include "url/source_path.h"

namespace {

fake::FileEntry Shortcut(const std::wstring& target) {
    fake::FileEntry entry;
    entry.shortcutTarget = target;
    return entry;
}

}  // namespace

TEST_CASE("IsShortcutPath looks only at the extension after the last dot") {
    FreshMachine m;
    struct Case {
        const wchar_t* path;
        bool shortcut;
    };
    const Case cases[] = {
        {LR"(C:\Links\Page.LNK)", true},  {LR"(C:\Links\page.Lnk)", true},
        {LR"(C:\Links\page.lnk)", true},  {L".lnk", true},
        {LR"(C:\Links\.lnk)", true},      {LR"(C:\Links\page.lnk.txt)", false},
        {LR"(C:\Links.lnk\page)", false}, {LR"(C:\Links\page.lnk )", false},
        {LR"(C:\Links\page)", false},     {LR"(C:\Links\page.ln)", false},
        {LR"(C:.lnk:stream)", false},     {L"", false},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.path));
        CHECK(IsShortcutPath(c.path, platform::kLocaleEnglishUs) == c.shortcut);
    }
}

TEST_CASE("IsShortcutPath lower-cases with the start-up locale and linguistic casing") {
    FreshMachine m;
    CHECK(IsShortcutPath(LR"(C:\Links\PAGE.LNK)", 0x041F));
    REQUIRE(m.machine.lcmapCalls.size() == 1);
    CHECK(m.machine.lcmapCalls[0].first == 0x041F);
    CHECK(m.machine.lcmapCalls[0].second == 0x01000100);
}

TEST_CASE("ResolveSourcePath replaces a shortcut by its target's long form") {
    FreshMachine m;
    m.machine.files[LR"(C:\Links\Page.LNK)"] = Shortcut(LR"(C:\MIRROR~1\WWWEXA~1.COM\index.html)");
    m.machine.longNames[LR"(C:\MIRROR~1\WWWEXA~1.COM\index.html)"] =
        LR"(C:\Mirror Copies\www.example.com\index.html)";

    CHECK(ResolveSourcePath(LR"(C:\Links\Page.LNK)", platform::kLocaleEnglishUs) ==
          LR"(C:\Mirror Copies\www.example.com\index.html)");
    CHECK(m.machine.shellLinkResolveFlags == std::vector<std::uint32_t>{platform::kSlrAnyMatch});
    CHECK(m.machine.shellLinkResolveOwners == std::vector<platform::WindowHandle>{0});
}

TEST_CASE("a shortcut's target is read into 260 characters with the terminator") {
    FreshMachine m;
    for (const std::size_t length : {259, 260}) {
        const std::wstring target = LR"(C:\)" + std::wstring(length - 3, L't');
        m.machine.files[LR"(C:\Links\long.lnk)"] = Shortcut(target);
        CHECK(ResolveShortcut(LR"(C:\Links\long.lnk)") == target.substr(0, 259));
    }
}

TEST_CASE("ResolveSourcePath keeps the short form of a target that no longer exists") {
    FreshMachine m;
    m.machine.files[LR"(C:\Links\gone.lnk)"] = Shortcut(LR"(C:\MIRROR~1\old.html)");
    CHECK(ResolveSourcePath(LR"(C:\Links\gone.lnk)", platform::kLocaleEnglishUs) ==
          LR"(C:\MIRROR~1\old.html)");
}

TEST_CASE("a .lnk file that is not a shortcut stands for itself, in its long form") {
    FreshMachine m;
    m.machine.files[LR"(C:\Mirror Copies\page.lnk)"] = fake::FileEntry{};
    m.machine.longNames[LR"(C:\MIRROR~1\page.lnk)"] = LR"(C:\Mirror Copies\page.lnk)";
    CHECK(ResolveSourcePath(LR"(C:\MIRROR~1\page.lnk)", platform::kLocaleEnglishUs) ==
          LR"(C:\Mirror Copies\page.lnk)");
    CHECK(ResolveSourcePath(LR"(C:\nowhere\page.lnk)", platform::kLocaleEnglishUs) ==
          LR"(C:\nowhere\page.lnk)");
}

TEST_CASE("a shortcut without a file-system target gives the empty path") {
    FreshMachine m;
    m.machine.files[LR"(C:\Links\printer.lnk)"] = Shortcut(L"");
    CHECK(ResolveSourcePath(LR"(C:\Links\printer.lnk)", platform::kLocaleEnglishUs) == L"");
}

TEST_CASE("a path that is not a shortcut passes unchanged, short names included") {
    FreshMachine m;
    m.machine.longNames[LR"(C:\MIRROR~1\WWWEXA~1.COM\index.html)"] =
        LR"(C:\Mirror Copies\www.example.com\index.html)";
    CHECK(ResolveSourcePath(LR"(C:\MIRROR~1\WWWEXA~1.COM\index.html)", platform::kLocaleEnglishUs) ==
          LR"(C:\MIRROR~1\WWWEXA~1.COM\index.html)");
    CHECK(m.machine.calls == std::vector<std::string>{"LCMapStringW"});
}

TEST_CASE("GetLongFileName keeps its input when the long form is over 260 characters") {
    FreshMachine m;
    const std::wstring shortForm = LR"(C:\LONGDI~1\page.html)";
    const std::wstring longForm = LR"(C:\)" + std::wstring(250, L'd') + LR"(\page.html)";
    REQUIRE(longForm.size() > 260);
    m.machine.longNames[shortForm] = longForm;
    CHECK(GetLongFileName(shortForm) == shortForm);

    const std::wstring fits = LR"(C:\)" + std::wstring(247, L'd') + LR"(\page.html)";
    REQUIRE(fits.size() == 260);
    m.machine.longNames[shortForm] = fits;
    CHECK(GetLongFileName(shortForm) == fits);
}

TEST_CASE("a shell-link object that cannot be created is an error, not a fallback") {
    FreshMachine m;
    m.machine.shellLinkUnavailable = true;
    CHECK_THROWS_AS(ResolveSourcePath(LR"(C:\Links\Page.lnk)", platform::kLocaleEnglishUs), platform::Error);
}
