#include <doctest.h>

#include "fixture.h"
#include "shell/shell_folders.h"

TEST_CASE("a special folder's path always ends with exactly one backslash") {
    FreshMachine m;
    m.machine.specialFolders[platform::kCsidlDesktop] = LR"(C:\Users\u\Desktop)";
    m.machine.specialFolders[platform::kCsidlSendTo] = LR"(D:\)";
    m.machine.specialFolders[platform::kCsidlStartup] = L"";

    CHECK(GetSpecialFolderPath(platform::kCsidlDesktop) == LR"(C:\Users\u\Desktop\)");
    CHECK(GetSpecialFolderPath(platform::kCsidlSendTo) == LR"(D:\)");  // a drive root
    CHECK(GetSpecialFolderPath(platform::kCsidlStartup) == LR"(\)");
    CHECK(GetSpecialFolderPath(platform::kCsidlPrograms) == LR"(\)");  // the shell knows none
    CHECK(m.machine.itemIdListsAlive == 0);
}

TEST_CASE("the special folder is asked for with the main window as owner") {
    FreshMachine m;
    m.machine.specialFolders[platform::kCsidlDesktop] = LR"(C:\Users\u\Desktop)";
    TForm1 form;
    Form1 = &form;
    form.Create();
    GetSpecialFolderPath(platform::kCsidlDesktop);
    CHECK(m.machine.specialFolderOwners == std::vector<platform::WindowHandle>{form.Handle()});
    form.Destroy();
}
