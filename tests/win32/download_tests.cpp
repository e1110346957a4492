// The downloader against a real WinINet and a server on 127.0.0.1 that tests/win32/loopback.py
// starts around this suite. Nothing here reaches another address.
#include <doctest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../printing.h"
#include "app/form.h"
#include "box_closer.h"
#include "platform/files.h"
#include "temp_folder.h"

namespace {

std::wstring Environment(const wchar_t* name) {
    wchar_t value[64] = {};
    ::GetEnvironmentVariableW(name, value, 64);
    return value;
}

std::wstring Url(const std::wstring& path, const wchar_t* portVariable = L"VELMORA_LOOPBACK_PORT") {
    return L"http://127.0.0.1:" + Environment(portVariable) + path;
}

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i % 251 * 7 + 3) % 251);
    return bytes;
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::wstring> Names(const TempFolder& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().wstring());
    return names;
}

// The Linux path behind a Windows one: the server acts on the folder as another program would.
std::string UnixPath(const std::wstring& path) {
    using Function = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<Function>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    REQUIRE(reinterpret_cast<void*>(unixName) != nullptr);
    char* name = unixName(path.c_str());
    std::string text = name ? name : "";
    ::HeapFree(::GetProcessHeap(), 0, name);
    return text;
}

std::wstring Escaped(const std::string& text) {
    std::wstring out;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_') {
            out += static_cast<wchar_t>(c);
        } else {
            wchar_t hex[4];
            swprintf(hex, 4, L"%%%02X", c);
            out += hex;
        }
    }
    return out;
}

struct Outcome {
    bool result = false;
    std::vector<std::wstring> boxes;
    std::wstring error;
};

Outcome Download(const std::wstring& url, const std::wstring& target) {
    TForm1 form;  // no window: the downloader uses nothing of it
    Outcome outcome;
    {
        BoxCloser closer;
        try {
            outcome.result = form.DownloadToFile(url, target);
        } catch (const platform::Error& error) {
            outcome.error = error.Text();
        }
        ::Sleep(100);
        outcome.boxes = closer.Texts();
    }
    return outcome;
}

}  // namespace

TEST_SUITE("loopback") {
    TEST_CASE("the server is there") { REQUIRE_FALSE(Environment(L"VELMORA_LOOPBACK_PORT").empty()); }

    TEST_CASE("complete bodies replace the target byte for byte") {
        struct Case {
            const wchar_t* path;
            std::size_t size;
        };
        const Case cases[] = {
            {L"/body/520", 520}, {L"/body/1", 1}, {L"/body/1048576", 1048576}, {L"/redirect", 520}};
        for (const Case& c : cases) {
            CAPTURE(std::wstring(c.path));
            TempFolder folder(L"download-ok");
            const std::wstring target = folder / L"page.html";
            WriteFile(target, "earlier copy");
            const Outcome outcome = Download(Url(c.path), target);
            CHECK(outcome.result);
            CHECK(outcome.boxes.empty());
            CHECK(outcome.error.empty());
            CHECK(ReadAll(target) == Pattern(c.size));
            CHECK(Names(folder) == std::vector<std::wstring>{L"page.html"});
        }
    }

    TEST_CASE("the request line carries each name in its wire form, whatever the code page") {
        struct Case {
            const wchar_t* name;
            const char* requested;
        };
        const Case cases[] = {
            {L"記事.html", "/named/%E8%A8%98%E4%BA%8B.html"},
            {L"my page.html", "/named/my%20page.html"},
            {L"a#b.html", "/named/a%23b.html"},
            {L"%41.html", "/named/%41.html"},
            {L"100%.html", "/named/100%25.html"},
            {L"ページ　#2 %.html", "/named/%E3%83%9A%E3%83%BC%E3%82%B8%E3%80%80%232%20%25.html"},
        };
        for (const Case& c : cases) {
            CAPTURE(std::wstring(c.name));
            TempFolder folder(L"download-named");
            const std::wstring target = folder / L"page.html";
            WriteFile(target, "earlier copy");
            const Outcome outcome = Download(Url(L"/named/") + c.name, target);
            CHECK(outcome.result);
            CHECK(outcome.boxes.empty());
            CHECK(ReadAll(target) == "GET " + std::string(c.requested) + " HTTP/1.1\n" + Pattern(600));
        }
    }

    TEST_CASE("a first save creates the target") {
        TempFolder folder(L"download-new");
        const Outcome outcome = Download(Url(L"/body/700"), folder / L"new.html");
        CHECK(outcome.result);
        CHECK(ReadAll(folder / L"new.html") == Pattern(700));
        CHECK(Names(folder) == std::vector<std::wstring>{L"new.html"});
    }

    TEST_CASE("every failure keeps the earlier bytes and leaves no stray file") {
        struct Case {
            std::wstring url;
            std::vector<std::wstring> texts;
        };
        const Case cases[] = {
            {Url(L"/empty"), {L"ファイルサイズが0 です"}},
            {Url(L"/status/404"), {L"サーバがエラーを返しました (HTTP 404)"}},
            {Url(L"/status/500"), {L"サーバがエラーを返しました (HTTP 500)"}},
            {Url(L"/cut"), {L"ファイルが読込みできません"}},
            {Url(L"/no-location"), {L"サーバがエラーを返しました (HTTP 302)"}},
            {Url(L"/other-scheme"), {L"サーバがエラーを返しました (HTTP 302)"}},
            {Url(L"/body/10", L"VELMORA_REFUSED_PORT"), {L"サイトのサーバに接続できません"}},
        };
        for (const Case& c : cases) {
            CAPTURE(c.url);
            for (bool existing : {true, false}) {
                CAPTURE(existing);
                TempFolder folder(L"download-fail");
                const std::wstring target = folder / L"page.html";
                if (existing) WriteFile(target, "earlier copy");
                const Outcome outcome = Download(c.url, target);
                CHECK_FALSE(outcome.result);
                CHECK(outcome.error.empty());
                std::vector<std::wstring> expected;
                for (const std::wstring& text : c.texts) expected.push_back(c.url + L"\r\n" + text);
                CHECK(outcome.boxes == expected);
                if (existing) {
                    CHECK(ReadAll(target) == "earlier copy");
                    CHECK(Names(folder) == std::vector<std::wstring>{L"page.html"});
                } else {
                    CHECK(Names(folder).empty());
                }
            }
        }
    }

    TEST_CASE("a target held open with share mode 0 is reported before any read and kept") {
        TempFolder folder(L"download-held");
        const std::wstring target = folder / L"page.html";
        WriteFile(target, "earlier copy");
        const HANDLE holder = ::CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
        REQUIRE(holder != INVALID_HANDLE_VALUE);
        const Outcome outcome = Download(Url(L"/body/520"), target);
        ::CloseHandle(holder);
        CHECK(outcome.error.starts_with(L"Cannot create file \"" + target + L"\". "));
        CHECK(outcome.error.size() > target.size() + 24);  // the system's reason follows
        CHECK(outcome.boxes.empty());
        CHECK(ReadAll(target) == "earlier copy");
        CHECK(Names(folder) == std::vector<std::wstring>{L"page.html"});
    }

    TEST_CASE("a target in a missing folder is reported with the system's reason") {
        TempFolder folder(L"download-nofolder");
        const std::wstring target = folder / LR"(missing\page.html)";
        const Outcome outcome = Download(Url(L"/body/520"), target);
        CHECK(outcome.error ==
              L"Cannot create file \"" + target + L"\". " + platform::SystemErrorText(ERROR_PATH_NOT_FOUND));
        CHECK(Names(folder).empty());
    }

    TEST_CASE("a thousand downloads leave the process's handle count where it was") {
        TempFolder folder(L"download-handles");
        const std::wstring target = folder / L"page.html";
        TForm1 form;
        form.DownloadToFile(Url(L"/body/600"), target);  // WinINet's own first-use handles
        DWORD before = 0;
        ::GetProcessHandleCount(::GetCurrentProcess(), &before);
        for (int i = 0; i < 1000; ++i) REQUIRE(form.DownloadToFile(Url(L"/body/600"), target));
        DWORD after = 0;
        ::GetProcessHandleCount(::GetCurrentProcess(), &after);
        CHECK(after <= before);
        CHECK(ReadAll(target) == Pattern(600));
    }

    TEST_CASE("a read-only target is reported before any read and kept") {
        TempFolder folder(L"download-readonly");
        const std::wstring target = folder / L"page.html";
        WriteFile(target, "earlier copy");
        REQUIRE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
        const Outcome outcome = Download(Url(L"/body/520"), target);
        ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        CHECK(outcome.error ==
              L"Cannot create file \"" + target + L"\". " + platform::SystemErrorText(ERROR_ACCESS_DENIED));
        CHECK(outcome.boxes.empty());
        CHECK(ReadAll(target) == "earlier copy");
        CHECK(Names(folder) == std::vector<std::wstring>{L"page.html"});
    }

    TEST_CASE(
        "the target's folder removed while the body arrives: a clear error, nothing written elsewhere") {
        TempFolder folder(L"download-vanish");
        const std::wstring target = folder / LR"(site\page.html)";
        WriteFile(target, "earlier copy");
        WriteFile(folder / L"beside.html", "untouched");
        const Outcome outcome =
            Download(Url(L"/halves/40000/delete/" + Escaped(UnixPath(folder / L"site"))), target);
        CHECK_FALSE(outcome.result);
        CHECK(outcome.error.starts_with(L"Cannot create file \"" + target + L"\". "));
        CHECK(outcome.boxes.empty());
        CHECK(Names(folder) == std::vector<std::wstring>{L"beside.html"});
        CHECK(ReadAll(folder / L"beside.html") == "untouched");
    }

    TEST_CASE("the target renamed away while the body arrives: the page lands, the renamed file is kept") {
        TempFolder folder(L"download-renamed");
        const std::wstring target = folder / L"page.html";
        WriteFile(target, "earlier copy");
        const Outcome outcome = Download(Url(L"/halves/40000/rename/" + Escaped(UnixPath(target)) + L"/" +
                                             Escaped(UnixPath(folder / L"kept.html"))),
                                         target);
        CHECK(outcome.result);
        CHECK(outcome.error.empty());
        CHECK(ReadAll(target) == Pattern(40000));
        CHECK(ReadAll(folder / L"kept.html") == "earlier copy");
        auto names = Names(folder);
        std::sort(names.begin(), names.end());
        CHECK(names == std::vector<std::wstring>{L"kept.html", L"page.html"});
    }

    // loopback.py mounts the small volume only as root and says so when it cannot.
    TEST_CASE("a body larger than the free space of its volume: the old bytes stay, no stray file" *
              doctest::skip(!::getenv("VELMORA_SMALL_DRIVE"))) {
        const std::wstring drive = Environment(L"VELMORA_SMALL_DRIVE");
        const std::wstring target = drive + L"\\page.html";
        WriteFile(target, "earlier copy");
        const Outcome outcome = Download(Url(L"/body/200000"), target);
        CHECK(outcome.error == L"Stream write error");
        CHECK(outcome.boxes.empty());
        CHECK(ReadAll(target) == "earlier copy");
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(drive + L"\\"))
            names.push_back(entry.path().filename().wstring());
        CHECK(names == std::vector<std::wstring>{L"page.html"});
        ::DeleteFileW(target.c_str());
    }
}
