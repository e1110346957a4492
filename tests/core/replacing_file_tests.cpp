#include <doctest.h>

#include <algorithm>
#include <deque>

#include "files/replacing_file.h"
#include "fixture.h"

namespace {

const std::wstring kTarget = LR"(C:\Mirror\www.example.com\docs\page.html)";
const std::wstring kTemporary = LR"(C:\Mirror\www.example.com\docs\~)";

// The outcome of writing "new bytes" over the target: the error text, empty on success.
std::wstring Replace(const std::wstring& target = kTarget) {
    try {
        ReplacingFile file(target);
        file.Write("new bytes", 9);
        file.Commit();
    } catch (const platform::Error& error) {
        return error.Text();
    }
    return L"";
}

struct Disk : FreshMachine {
    Disk() {
        machine.files[LR"(C:\Mirror\www.example.com\docs)"].directory = true;
        machine.files[kTarget].bytes = "old bytes";
    }
    std::vector<std::wstring> Paths() const {
        std::vector<std::wstring> paths;
        for (const auto& [path, entry] : machine.files)
            if (!entry.directory) paths.push_back(path);
        return paths;
    }
};

}  // namespace

TEST_CASE("an existing target is replaced in place and keeps its attributes; a new one is renamed in") {
    Disk disk;
    disk.machine.files[kTarget].attributes = platform::kFileAttributeHidden | platform::kFileAttributeArchive;
    CHECK(Replace() == L"");
    CHECK(disk.machine.files[kTarget].bytes == "new bytes");
    CHECK(disk.machine.files[kTarget].attributes ==
          (platform::kFileAttributeHidden | platform::kFileAttributeArchive));
    REQUIRE(disk.machine.download.replaces.size() == 1);
    CHECK(disk.machine.download.replaces[0].from == kTemporary);
    CHECK(disk.machine.download.replaces[0].flags == platform::kReplaceFileIgnoreMergeErrors);
    CHECK(disk.machine.download.moves.empty());

    const std::wstring fresh = LR"(C:\Mirror\www.example.com\docs\new.html)";
    CHECK(Replace(fresh) == L"");
    CHECK(disk.machine.files[fresh].bytes == "new bytes");
    REQUIRE(disk.machine.download.moves.size() == 1);
    CHECK(disk.machine.download.moves[0].flags ==
          (platform::kMoveFileReplaceExisting | platform::kMoveFileWriteThrough));
    CHECK(disk.machine.download.replaces.size() == 1);
    CHECK(disk.Paths() == std::vector<std::wstring>{fresh, kTarget});
}

TEST_CASE("a target held for a moment is tried again for about a second; other failures end at once") {
    struct Case {
        const char* name;
        std::deque<std::uint32_t> replaceErrors;
        std::deque<std::uint32_t> moveErrors;
        bool existing;
        std::uint32_t reported;  // 0: the bytes land
        std::size_t tries;
    };
    const Case cases[] = {
        {"held once", {32}, {}, true, 0, 2},
        {"held in each of the ways Windows reports it", {5, 1175, 32}, {}, true, 0, 4},
        {"held throughout", std::deque<std::uint32_t>(6, 32), {}, true, 32, 6},
        {"a full disk", {112}, {}, true, 112, 1},
        {"a new target whose fresh bytes a scanner holds", {}, {32}, false, 0, 2},
        {"a new target that may not be written", {}, {5}, false, 5, 1},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        Disk disk;
        if (!c.existing) disk.machine.files.erase(kTarget);
        disk.machine.download.replaceErrors = c.replaceErrors;
        disk.machine.download.moveErrors = c.moveErrors;
        const std::wstring error = Replace();
        CHECK(error == (c.reported ? L"Cannot create file \"" + kTarget + L"\". " +
                                         platform::SystemErrorText(c.reported)
                                   : std::wstring()));
        CHECK((c.existing ? disk.machine.download.replaces : disk.machine.download.moves).size() == c.tries);
        CHECK(disk.machine.download.sleepMilliseconds == std::vector<std::uint32_t>(c.tries - 1, 200));
        if (c.existing || !c.reported) {
            CHECK(disk.Paths() == std::vector<std::wstring>{kTarget});
            CHECK(disk.machine.files[kTarget].bytes == (c.reported ? "old bytes" : "new bytes"));
        } else {
            CHECK(disk.Paths().empty());
        }
    }
}

TEST_CASE("a target gone before the replace: the bytes take its name, or stay as the only copy") {
    Disk disk;
    SUBCASE("renamed away by the user meanwhile") {
        disk.machine.download.replaceErrors = {platform::kErrorFileNotFound};
        disk.machine.files.erase(kTarget);
        CHECK(Replace() == L"");
        CHECK(disk.machine.files[kTarget].bytes == "new bytes");
    }
    SUBCASE("taken away by a replace that could not finish") {
        disk.machine.download.replaceErrors = {platform::kErrorUnableToMoveReplacement};
        CHECK(Replace() == L"");
        CHECK(disk.machine.files[kTarget].bytes == "new bytes");
    }
    SUBCASE("taken away, and the rename fails too: the temporary file is all there is") {
        disk.machine.download.replaceErrors = {platform::kErrorUnableToMoveReplacement};
        disk.machine.download.moveErrors = {5};
        CHECK(Replace().starts_with(L"Cannot create file"));
        CHECK(disk.Paths() == std::vector<std::wstring>{kTemporary});
        CHECK(disk.machine.files[kTemporary].bytes == "new bytes");
    }
}

TEST_CASE("the temporary name is the shortest free one, tried a hundred times, and only when taken") {
    Disk disk;
    // The target's full path at the longest a system without long paths accepts.
    const std::wstring folder = LR"(C:\Mirror\www.example.com\docs\)";
    const std::wstring target = folder + std::wstring(259 - folder.size() - 5, L'x') + L".html";
    REQUIRE(target.size() == 259);
    disk.machine.download.maxPath = 260;
    disk.machine.files[target].bytes = "old bytes";
    CHECK(Replace(target) == L"");
    CHECK(disk.machine.files[target].bytes == "new bytes");

    disk.machine.files[folder + L"~"].bytes = "a user's";
    for (int n = 1; n < 99; ++n) disk.machine.files[folder + L"~" + std::to_wstring(n)].bytes = "a user's";
    CHECK(Replace() == L"");  // "~99", the hundredth name
    disk.machine.files[folder + L"~99"].bytes = "a user's";
    CHECK(Replace() == L"Cannot create file \"" + kTarget + L"\". " + platform::SystemErrorText(80));
    CHECK(disk.machine.files[kTarget].bytes == "new bytes");

    // A folder that refuses a new file refuses every name: one is enough.
    disk.machine.files.erase(folder + L"~");
    disk.machine.download.createErrors[folder + L"~"] = 5;
    disk.machine.calls.clear();
    CHECK(Replace() == L"Cannot create file \"" + kTarget + L"\". Access is denied");
    CHECK(std::count(disk.machine.calls.begin(), disk.machine.calls.end(), "CreateFileW") == 2);
}

TEST_CASE("a failed flush keeps the old bytes; a finished replace deletes nothing afterwards") {
    Disk disk;
    disk.machine.download.flushFails = true;
    CHECK(Replace() == L"Stream write error");
    CHECK(disk.machine.files[kTarget].bytes == "old bytes");
    CHECK(disk.Paths() == std::vector<std::wstring>{kTarget});

    disk.machine.download.flushFails = false;
    {
        ReplacingFile file(kTarget);
        file.Write("new bytes", 9);
        file.Commit();
        // Another instance's temporary file, made in the same folder just after.
        disk.machine.files[kTemporary].bytes = "theirs";
    }
    CHECK(disk.machine.files[kTemporary].bytes == "theirs");
}
