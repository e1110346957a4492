#include <doctest.h>

#include "files/csidl_path.h"
#include "fixture.h"

TEST_CASE("a special folder's path always ends with exactly one backslash") {
    FreshMachine m;
    m.machine.specialFolders[platform::kCsidlDesktop] = LR"(C:\Users\u\Desktop)";
    m.machine.specialFolders[platform::kCsidlSendTo] = LR"(D:\)";
    m.machine.specialFolders[platform::kCsidlStartup] = L"";

    CHECK(GetSpecialFolderPath(0, platform::kCsidlDesktop) == LR"(C:\Users\u\Desktop\)");
    CHECK(GetSpecialFolderPath(0, platform::kCsidlSendTo) == LR"(D:\)");  // a drive root
    CHECK(GetSpecialFolderPath(0, platform::kCsidlStartup) == LR"(\)");
    CHECK(GetSpecialFolderPath(0, platform::kCsidlPrograms) == LR"(\)");  // the shell knows none
    CHECK(m.machine.itemIdListsAlive == 0);
}
