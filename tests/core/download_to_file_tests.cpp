#include <doctest.h>

#include <algorithm>
#include <functional>

#include "window_fixture.h"

namespace {

const std::wstring kBoxPrefix = kPageUrl + L"\r\n";

std::string Bytes(std::size_t size, char seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(seed + i * 31);
    return bytes;
}

}  // namespace

TEST_CASE("the boxes of a download, their order and its result") {
    struct Case {
        const char* name;
        std::function<void(OpenWindow&)> arrange;
        std::vector<std::wstring> boxes;
        bool result;
        std::string target;  // what the target holds afterwards
    };
    const Case cases[] = {
        {"a complete body",
         [](OpenWindow& w) {
             w.Serve({{false, "<html>new</html>"}});
         },
         {},
         true,
         "<html>new</html>"},
        {"no Internet handle",
         [](OpenWindow& w) {
             w.Serve({{false, "x"}});
             w.machine.download.internetOpenFails = true;
         },
         {L"インターネットに接続できません"},
         false,
         "earlier copy"},
        {"the URL cannot be opened",
         [](OpenWindow&) {},
         {L"サイトのサーバに接続できません"},
         false,
         "earlier copy"},
        {"an empty body",
         [](OpenWindow& w) { w.Serve({}); },
         {L"ファイルサイズが0 です"},
         false,
         "earlier copy"},
        {"a read fails after data",
         [](OpenWindow& w) {
             w.Serve({{false, "part"}, {true, ""}});
             w.machine.download.servers[kPageUrl].contentLength = 10;
         },
         {L"ファイルが読込みできません"},
         false,
         "earlier copy"},
        {"a read fails before data",
         [](OpenWindow& w) {
             w.Serve({{true, ""}});
         },
         {L"ファイルが読込みできません", L"ファイルサイズが0 です"},
         false,
         "earlier copy"},
        {"a 404 with a page",
         [](OpenWindow& w) {
             w.Serve({{false, "<h1>Not Found</h1>"}}, 404);
         },
         {L"サーバがエラーを返しました (HTTP 404)"},
         false,
         "earlier copy"},
        {"a 500",
         [](OpenWindow& w) {
             w.Serve({{false, "oops"}}, 500);
         },
         {L"サーバがエラーを返しました (HTTP 500)"},
         false,
         "earlier copy"},
        {"a body cut short of its announced length",
         [](OpenWindow& w) {
             w.Serve({{false, "part"}});
             w.machine.download.servers[kPageUrl].contentLength = 100;
         },
         {L"ファイルが読込みできません"},
         false,
         "earlier copy"},
        {"a body one byte short of its announced length",
         [](OpenWindow& w) {
             w.Serve({{false, "four"}});
             w.machine.download.servers[kPageUrl].contentLength = 5;
         },
         {L"ファイルが読込みできません"},
         false,
         "earlier copy"},
        {"a body cut off before its first byte",
         [](OpenWindow& w) {
             w.Serve({});
             w.machine.download.servers[kPageUrl].contentLength = 10;
         },
         {L"ファイルが読込みできません", L"ファイルサイズが0 です"},
         false,
         "earlier copy"},
        {"a body of its announced length",
         [](OpenWindow& w) {
             w.Serve({{false, "four"}});
             w.machine.download.servers[kPageUrl].contentLength = 4;
         },
         {},
         true,
         "four"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        OpenWindow w;
        c.arrange(w);
        CHECK(w.form.DownloadToFile(kPageUrl, kPagePath) == c.result);
        // The loop only yields to the window: a pause per chunk would slow every download.
        for (const std::uint32_t pause : w.machine.download.sleepMilliseconds) CHECK(pause == 0);
        std::vector<std::wstring> expected;
        for (const std::wstring& text : c.boxes) expected.push_back(kBoxPrefix + text);
        CHECK(w.BoxTexts() == expected);
        for (const fake::BoxCall& box : w.machine.boxes) {
            CHECK(box.kind == fake::BoxCall::Kind::TaskDialog);
            CHECK(box.flags == platform::kTdfAllowDialogCancellation);
            CHECK(box.caption == L"Velmora");
        }
        CHECK(w.machine.files[kPagePath].bytes == c.target);
        CHECK(w.Paths() == std::vector<std::wstring>{kPagePath});
        CHECK(w.machine.download.internetHandlesAlive == 0);
        CHECK(w.machine.download.fileHandlesAlive == 0);
    }
}

TEST_CASE("WinINet is asked with the system proxy, from the server, following https redirects") {
    OpenWindow w;
    w.Serve({{false, "x"}});
    w.form.DownloadToFile(kPageUrl, kPagePath);
    REQUIRE(w.machine.download.internetOpens.size() == 1);
    const fake::InternetOpenCall& open = w.machine.download.internetOpens[0];
    CHECK_FALSE(open.agentGiven);
    CHECK(open.accessType == 0);
    CHECK_FALSE(open.proxyGiven);
    CHECK_FALSE(open.bypassGiven);
    CHECK(open.flags == 0);
    REQUIRE(w.machine.download.urlOpens.size() == 1);
    const fake::OpenUrlCall& url = w.machine.download.urlOpens[0];
    CHECK(url.url == kPageUrl);
    CHECK_FALSE(url.headersGiven);
    CHECK(url.headersLength == 0);
    CHECK(url.flags == (0x80000000u | 0x00004000u));
    CHECK(url.context == 0);
}

TEST_CASE("reads of any size from 1 to 520 bytes are stored byte for byte, 520 asked each time") {
    OpenWindow w;
    const std::vector<std::size_t> sizes = {1, 7, 519, 520, 2, 520, 1300, 3};
    std::vector<fake::Piece> pieces;
    std::string body;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        pieces.push_back({false, Bytes(sizes[i], static_cast<char>(i))});
        body += pieces.back().bytes;
    }
    REQUIRE(body.find('\0') != std::string::npos);  // bytes, not text
    w.Serve(pieces);

    CHECK(w.form.DownloadToFile(kPageUrl, kPagePath));
    CHECK(w.machine.files[kPagePath].bytes == body);
    const auto& asked = w.machine.download.readSizes;
    CHECK(std::all_of(asked.begin(), asked.end(), [](std::uint32_t n) { return n == 520; }));
    // 1300 bytes come in three reads, and the end of the body is one more read.
    CHECK(asked.size() == sizes.size() + 2 + 1);
}

TEST_CASE("a body of exactly 520 bytes: one write, then the empty read ends it") {
    OpenWindow w;
    w.Serve({{false, Bytes(520, 'a')}});
    CHECK(w.form.DownloadToFile(kPageUrl, kPagePath));
    CHECK(w.machine.download.readSizes.size() == 2);
    CHECK(w.machine.download.writes == 1);
    CHECK(w.machine.boxes.empty());
}

TEST_CASE("the window's messages are pumped, then the thread yields, after every read including the last") {
    OpenWindow w;
    w.Serve({{false, "ab"}, {false, "cd"}});
    w.form.DownloadToFile(kPageUrl, kPagePath);
    std::vector<std::string> loop;
    for (const std::string& call : w.machine.calls)
        if (call == "InternetReadFile" || call == "ProcessMessages" || call == "Sleep" || call == "WriteFile")
            loop.push_back(call);
    const std::vector<std::string> expected = {
        "InternetReadFile", "ProcessMessages", "Sleep", "WriteFile",
        "InternetReadFile", "ProcessMessages", "Sleep", "WriteFile",
        "InternetReadFile", "ProcessMessages", "Sleep",
    };
    CHECK(loop == expected);
}

TEST_CASE("a target that cannot be created ends the call with the system's reason, before any read") {
    struct Case {
        const char* name;
        std::wstring target;
        std::uint32_t scriptedError;  // 0: none
        std::wstring text;
    };
    const Case cases[] = {
        {"a missing folder", LR"(C:\Nowhere\page.html)", 0,
         LR"(Cannot create file "C:\Nowhere\page.html". The system cannot find the path specified)"},
        {"held open by another program", kPagePath, 32,
         L"Cannot create file \"" + kPagePath +
             L"\". The process cannot access the file because it is being used by another process"},
        {"access denied", kPagePath, 5, L"Cannot create file \"" + kPagePath + L"\". Access is denied"},
        {"a read-only file", kPagePath, 0, L"Cannot create file \"" + kPagePath + L"\". Access is denied"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        OpenWindow w;
        w.Serve({{false, "new"}});
        w.machine.files[kPagePath].readOnly = std::string_view(c.name) == "a read-only file";
        if (c.scriptedError) w.machine.download.createErrors[c.target] = c.scriptedError;
        std::wstring thrown;
        try {
            w.form.DownloadToFile(kPageUrl, c.target);
        } catch (const platform::Error& error) {
            thrown = error.Text();
        }
        CHECK(thrown == c.text);
        CHECK(w.machine.download.readSizes.empty());
        CHECK(w.machine.boxes.empty());
        CHECK(w.machine.files[kPagePath].bytes == "earlier copy");
        CHECK(w.Paths() == std::vector<std::wstring>{kPagePath});
        CHECK(w.machine.download.internetHandlesAlive == 0);
    }
}

TEST_CASE("a failing write: the zero-size box only when nothing was written, then Stream write error") {
    for (int failing : {0, 1}) {
        CAPTURE(failing);
        OpenWindow w;
        w.Serve({{false, "one"}, {false, "two"}});
        w.machine.download.failingWrite = failing;
        std::wstring thrown;
        try {
            w.form.DownloadToFile(kPageUrl, kPagePath);
        } catch (const platform::Error& error) {
            thrown = error.Text();
        }
        CHECK(thrown == L"Stream write error");
        CHECK(w.BoxTexts() == (failing == 0
                                   ? std::vector<std::wstring>{kBoxPrefix + L"ファイルサイズが0 です"}
                                   : std::vector<std::wstring>{}));
        CHECK(w.machine.files[kPagePath].bytes == "earlier copy");
        CHECK(w.Paths() == std::vector<std::wstring>{kPagePath});
        CHECK(w.machine.download.fileHandlesAlive == 0);
        CHECK(w.machine.download.internetHandlesAlive == 0);
    }
}

TEST_CASE("the finished body replaces the target in one step; a first save creates it") {
    for (const std::wstring& target :
         {kPagePath, std::wstring(LR"(C:\Mirror\www.example.com\docs\new.html)")}) {
        CAPTURE(target);
        OpenWindow w;
        w.Serve({{false, "fresh"}});
        CHECK(w.form.DownloadToFile(kPageUrl, target));
        CHECK(w.machine.files[target].bytes == "fresh");
        const auto& steps = target == kPagePath ? w.machine.download.replaces : w.machine.download.moves;
        REQUIRE(steps.size() == 1);
        CHECK(steps[0].to == target);
        // The body was written beside the target, in its folder.
        CHECK(steps[0].from.starts_with(LR"(C:\Mirror\www.example.com\docs\)"));
        CHECK(w.machine.download.fileHandlesAlive == 0);
    }
}

TEST_CASE("a thousand downloads of every outcome leave no Internet or file handle open") {
    OpenWindow w;
    w.Serve({{false, "ok"}}, 200, L"http://a.example/ok");
    w.Serve({}, 200, L"http://a.example/empty");
    w.Serve({{false, "x"}, {true, ""}}, 200, L"http://a.example/broken");
    w.Serve({{false, "gone"}}, 404, L"http://a.example/404");
    const std::wstring urls[] = {L"http://a.example/ok", L"http://a.example/empty",
                                 L"http://a.example/broken", L"http://a.example/404",
                                 L"http://a.example/unreachable"};
    for (int i = 0; i < 1000; ++i) w.form.DownloadToFile(urls[i % 5], kPagePath);
    CHECK(w.machine.download.internetHandlesAlive == 0);
    CHECK(w.machine.download.fileHandlesAlive == 0);
    CHECK(w.Paths() == std::vector<std::wstring>{kPagePath});
}

TEST_CASE("during a download a second Resave or Save As is refused with a beep") {
    for (ControlId second : {ControlId::ButtonResave, ControlId::ButtonSaveAs}) {
        OpenWindow w;
        w.TakeInPage();
        SaveFileName = L"before";
        w.Serve({{false, "a"}, {false, "b"}});
        w.machine.download.onPump[1] = [&] {
            SaveFileName = L"during";
            w.form.Command(second);
        };
        w.form.DownloadToFile(kPageUrl, kPagePath);
        CHECK(w.machine.download.beeps == 1);
        CHECK(w.machine.download.internetOpens.size() == 1);
        CHECK(w.machine.download.saveDialogs.empty());
        CHECK(SaveFileName == L"during");
        CHECK(w.machine.boxes.empty());
        CHECK(w.machine.files[kPagePath].bytes == "ab");
    }
}

TEST_CASE("only a final answer in 200-299 is the page: any other keeps the copy and says which") {
    for (const std::uint32_t status :
         {0u, 100u, 199u, 200u, 204u, 226u, 299u, 300u, 301u, 302u, 304u, 399u, 404u, 599u}) {
        CAPTURE(status);
        OpenWindow w;
        w.Serve({{false, "the server's body"}}, status);
        const bool saved = w.form.DownloadToFile(kPageUrl, kPagePath);
        const bool page = status >= 200 && status <= 299;
        CHECK(saved == page);
        CHECK(w.machine.files[kPagePath].bytes == (page ? "the server's body" : "earlier copy"));
        if (!page) {
            REQUIRE(w.machine.boxes.size() == 1);
            CHECK(w.machine.boxes[0].text ==
                  kBoxPrefix + L"サーバがエラーを返しました (HTTP " + std::to_wstring(status) + L")");
            CHECK(w.machine.download.readSizes.empty());  // the body is not even read
        }
        CHECK(w.machine.download.internetHandlesAlive == 0);
    }
}

TEST_CASE("a file taken in during a download changes the source, not the running download") {
    OpenWindow w;
    w.TakeInPage();
    const std::wstring other = LR"(C:\Mirror\www.other.example\index.html)";
    w.machine.files[other].bytes = "other";
    w.machine.download.openDialogAnswers.push_back(other);
    w.Serve({{false, "a"}, {false, "b"}});
    w.machine.download.onPump[1] = [&] { w.form.Command(ControlId::ButtonSelectFile); };
    w.form.Command(ControlId::ButtonResave);
    CHECK(SourceFileName == other);
    CHECK(SourceUrl == L"http://www.other.example/index.html");
    CHECK(w.machine.download.urlOpens.size() == 1);
    CHECK(w.machine.files[kPagePath].bytes == "ab");
    CHECK(w.machine.files[other].bytes == "other");
    // The result names what was downloaded, not the file taken in meanwhile.
    REQUIRE_FALSE(w.machine.boxes.empty());
    CHECK(w.machine.boxes.back().text == kPageUrl + L"\r\n" + kPagePath + L"\r\n再保存しました");
}

TEST_CASE("a close during a download abandons it at the next read; the window goes after the loop") {
    for (const ControlId command : {ControlId::ButtonResave, ControlId::ButtonSaveAs}) {
        CAPTURE(static_cast<int>(command));
        OpenWindow w;
        w.TakeInPage();
        w.machine.download.saveDialogAnswers.push_back(kPagePath);
        w.Serve({{false, "a"}, {false, "b"}, {false, "c"}});
        bool destroyedInsidePump = true;
        w.machine.download.onPump[1] = [&] {
            w.form.CloseAccepted();
            destroyedInsidePump = fake::TheWindow(w.form.Handle()).destroyed;
        };
        const platform::WindowHandle window = w.form.Handle();
        w.form.Command(command);

        CHECK_FALSE(destroyedInsidePump);
        CHECK(fake::TheWindow(window).destroyed);
        CHECK(w.machine.download.readSizes.size() == 1);
        CHECK(w.machine.boxes.empty());
        CHECK(w.machine.files[kPagePath].bytes == "earlier copy");
        CHECK(w.Paths() == std::vector<std::wstring>{kPagePath});
        CHECK(w.machine.download.internetHandlesAlive == 0);
        // Destroyed once everything of the download was released.
        const auto& calls = w.machine.calls;
        const auto destroy = std::find(calls.begin(), calls.end(), "DestroyWindow");
        REQUIRE(destroy != calls.end());
        CHECK(std::find(destroy, calls.end(), "InternetCloseHandle") == calls.end());
        CHECK(std::find(destroy, calls.end(), "DeleteFileW") == calls.end());
    }
}

TEST_CASE("a close during the pump after the last read still keeps the earlier copy") {
    OpenWindow w;
    w.TakeInPage();
    w.Serve({{false, "a"}});
    w.machine.download.onPump[2] = [&] { w.form.CloseAccepted(); };
    const platform::WindowHandle window = w.form.Handle();
    CHECK_FALSE(w.form.DownloadToFile(kPageUrl, kPagePath));
    CHECK(fake::TheWindow(window).destroyed);
    CHECK(w.machine.boxes.empty());
    CHECK(w.machine.files[kPagePath].bytes == "earlier copy");
    CHECK(w.Paths() == std::vector<std::wstring>{kPagePath});
}

TEST_CASE("a close with no download running destroys the window at once") {
    OpenWindow w;
    const platform::WindowHandle window = w.form.Handle();
    w.form.CloseAccepted();
    CHECK(fake::TheWindow(window).destroyed);
    CHECK(w.form.Handle() == 0);
}
