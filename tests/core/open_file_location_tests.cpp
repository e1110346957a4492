#include <doctest.h>

#include "fixture.h"
#include "shell/open_file_location.h"

TEST_CASE("an existing file is selected by the Windows folder's own Explorer, its path quoted") {
    FreshMachine m;
    const std::wstring path = LR"(C:\Mirror\www.example.com\a, b.html)";
    m.machine.files[path] = fake::FileEntry{};
    m.machine.windowsDirectory = LR"(D:\WINNT)";
    OpenFileLocation(path);
    REQUIRE(m.machine.shellExecutes.size() == 1);
    const fake::ShellExecuteCall& call = m.machine.shellExecutes[0];
    CHECK(call.owner == 0);
    CHECK(call.verb == L"open");
    CHECK(call.file == LR"(D:\WINNT\explorer.exe)");
    CHECK(call.parameters == LR"(/select,"C:\Mirror\www.example.com\a, b.html")");
    CHECK_FALSE(call.directory.has_value());
    CHECK(call.show == platform::ShowCommand::ShowNormal);
}

TEST_CASE("a missing file or a folder opens the folder part, quoted, trailing backslash kept") {
    FreshMachine m;
    m.machine.files[LR"(C:\Mirror\docs)"] = fake::FileEntry{true, "", std::nullopt};
    struct Case {
        const wchar_t* path;
        const wchar_t* opened;
    };
    const Case cases[] = {
        {LR"(C:\Mirror\www.example.com\gone.html)", LR"("C:\Mirror\www.example.com\")"},
        {LR"(C:\Mirror\docs)", LR"("C:\Mirror\")"},
        {LR"(C:page.html)", LR"("C:")"},
        {L"page.html", LR"("")"},
    };
    for (const Case& c : cases) {
        m.machine.shellExecutes.clear();
        OpenFileLocation(c.path);
        REQUIRE(m.machine.shellExecutes.size() == 1);
        const fake::ShellExecuteCall& call = m.machine.shellExecutes[0];
        CHECK((call.owner == 0 && call.verb == L"open" && call.file == c.opened));
        CHECK_FALSE(call.parameters.has_value());
    }
}
