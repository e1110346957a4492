// The replacing writer against the real file system: a target another process holds for a
// moment, one it holds throughout, and what a replaced file keeps of itself.
#include <doctest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "../printing.h"
#include "files/replacing_file.h"
#include "platform/error.h"
#include "temp_folder.h"

namespace {

std::string ReadAll(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::wstring> Names(const TempFolder& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

// Another process (the end-to-end driver) holds `path` open with share mode 0 for `ms`
// milliseconds, as a preview pane, the indexer or a virus scanner may; returns once it does.
PROCESS_INFORMATION HoldElsewhere(const std::wstring& path, int ms) {
    std::wstring line =
        L"\"" + std::wstring(VELMORA_DRIVER) + L"\" hold \"" + path + L"\" " + std::to_wstring(ms);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    REQUIRE(::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
    for (int i = 0; i < 500 && ::GetFileAttributesW((path + L".held").c_str()) == INVALID_FILE_ATTRIBUTES;
         ++i)
        ::Sleep(10);
    REQUIRE(::GetFileAttributesW((path + L".held").c_str()) != INVALID_FILE_ATTRIBUTES);
    return process;
}

void Finish(PROCESS_INFORMATION& process) {
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

// Writes "new bytes" over `target`, the final step only once `beforeCommit` has run; the error
// text (empty on success) and how long the final step took.
std::pair<std::wstring, double> Replace(const std::wstring& target,
                                        const std::function<void()>& beforeCommit) {
    try {
        ReplacingFile file(target);
        REQUIRE(file.Write("new bytes", 9));
        beforeCommit();
        const auto start = std::chrono::steady_clock::now();
        try {
            file.Commit();
        } catch (const platform::Error& error) {
            return {error.Text(),
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
        }
        return {L"", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
    } catch (const platform::Error& error) {
        return {L"before the final step: " + error.Text(), 0};
    }
}

}  // namespace

TEST_CASE("a target another process holds for a moment is replaced once it lets go") {
    TempFolder folder(L"replace-held");
    const std::wstring target = folder / L"page.html";
    WriteFile(target, "old bytes");
    PROCESS_INFORMATION holder{};
    const auto [error, seconds] = Replace(target, [&] { holder = HoldElsewhere(target, 400); });
    Finish(holder);
    CHECK(error == L"");
    CHECK(seconds > 0.2);
    CHECK(ReadAll(target) == "new bytes");
    CHECK(Names(folder) == std::vector<std::wstring>{L"page.html"});
}

TEST_CASE("a target held throughout is reported after about a second, with its bytes and nothing beside it") {
    TempFolder folder(L"replace-held-long");
    const std::wstring target = folder / L"page.html";
    WriteFile(target, "old bytes");
    PROCESS_INFORMATION holder{};
    const auto [error, seconds] = Replace(target, [&] { holder = HoldElsewhere(target, 4000); });
    CHECK(error ==
          L"Cannot create file \"" + target + L"\". " + platform::SystemErrorText(ERROR_SHARING_VIOLATION));
    CHECK(seconds > 0.8);
    CHECK(seconds < 3.0);
    Finish(holder);
    CHECK(ReadAll(target) == "old bytes");
    // Nothing of the writer's, nor of the system's own replace (Wine's rf*.tmp).
    CHECK(Names(folder) == std::vector<std::wstring>{L"page.html"});
}

TEST_CASE("a replaced file keeps its attributes and its Mark of the Web") {
    TempFolder folder(L"replace-keeps");
    const std::wstring target = folder / L"page.html";
    WriteFile(target, "old bytes");
    const std::wstring zone = target + L":Zone.Identifier";
    WriteFile(zone, "[ZoneTransfer]\r\nZoneId=3\r\n");
    REQUIRE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    CHECK(Replace(target, [] {}).first == L"");
    CHECK(ReadAll(target) == "new bytes");
    CHECK(::GetFileAttributesW(target.c_str()) == (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    CHECK(ReadAll(zone) == "[ZoneTransfer]\r\nZoneId=3\r\n");
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_CASE("the system's reason comes without its full stop, in its own language, so the box adds one") {
    for (const DWORD code : {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_PATH_NOT_FOUND}) {
        const std::wstring reason = platform::SystemErrorText(code);
        CAPTURE(reason);
        REQUIRE_FALSE(reason.empty());
        CHECK(reason.back() != L'.');
        CHECK(reason.back() != L'\u3002');
        CHECK(reason.back() > L' ');
    }
}
