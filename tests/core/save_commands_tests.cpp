#include <doctest.h>

#include <algorithm>

#include "download/time_stamp.h"
#include "window_fixture.h"

namespace {

std::wstring Outcome(const std::wstring& target, const std::wstring& text) {
    return kPageUrl + L"\r\n" + target + L"\r\n" + text;
}

}  // namespace

TEST_CASE("the time stamp is -yyyymmdd-HHNNSSzzz, zero-padded, on the 24-hour clock") {
    struct Case {
        platform::SystemTime time;
        const wchar_t* stamp;
    };
    const Case cases[] = {
        {{2024, 1, 2, 15, 4, 5, 6}, L"-20240102-150405006"},
        {{1999, 12, 31, 23, 59, 59, 999}, L"-19991231-235959999"},
        {{2026, 11, 9, 0, 0, 0, 0}, L"-20261109-000000000"},
    };
    for (const Case& c : cases) {
        CHECK(TimeStamp(c.time) == c.stamp);
        CHECK(TimeStamp(c.time).size() == 19);
    }
}

TEST_CASE("Save As proposals at 2 January 2024, 15:04:05.006") {
    struct Case {
        const wchar_t* source;
        const wchar_t* proposal;
        const wchar_t* folder;
        const wchar_t* fileName;
    };
    const Case cases[] = {
        {LR"(C:\Mirror\example.com\docs\page.html)",
         LR"(C:\Mirror\example.com\docs\page-20240102-150405006.html)", LR"(C:\Mirror\example.com\docs)",
         L"page-20240102-150405006.html"},
        {LR"(C:\Mirror\example.com\docs\index)", LR"(C:\Mirror\example.com\docs\index-20240102-150405006)",
         LR"(C:\Mirror\example.com\docs)", L"index-20240102-150405006"},
        {LR"(C:\Mirror\example.com\files\data.tar.gz)",
         LR"(C:\Mirror\example.com\files\data.tar-20240102-150405006.gz)", LR"(C:\Mirror\example.com\files)",
         L"data.tar-20240102-150405006.gz"},
        {LR"(C:\page.html)", LR"(C:\page-20240102-150405006.html)", LR"(C:\)",
         L"page-20240102-150405006.html"},
        {LR"(C:\Mirror\example.com\.htaccess)", LR"(C:\Mirror\example.com-20240102-150405006.htaccess)",
         LR"(C:\Mirror)", L"example.com-20240102-150405006.htaccess"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.source);
        OpenWindow w;
        SourceFileName = c.source;
        SourceUrl = kPageUrl;
        w.form.Command(ControlId::ButtonSaveAs);  // cancelled: nothing is queued
        CHECK(SaveFileName == c.proposal);
        REQUIRE(w.machine.download.saveDialogs.size() == 1);
        const platform::FileDialogConfig& dialog = w.machine.download.saveDialogs[0];
        CHECK(dialog.folder == c.folder);
        CHECK(dialog.fileName == c.fileName);
        CHECK(dialog.options == 0);
        CHECK(dialog.owner == w.form.Handle());
        REQUIRE(dialog.fileTypes.size() == 1);
        CHECK(dialog.fileTypes[0].name == L"All(*.*)");
        CHECK(dialog.fileTypes[0].mask == L"*.*");
        CHECK(w.machine.download.internetOpens.empty());
        CHECK(w.machine.boxes.empty());
    }
}

TEST_CASE("the clock is read once, before the dialog") {
    OpenWindow w;
    w.TakeInPage();
    w.form.Command(ControlId::ButtonSaveAs);
    const auto& calls = w.machine.calls;
    CHECK(std::count(calls.begin(), calls.end(), "GetLocalTime") == 1);
    CHECK(std::find(calls.begin(), calls.end(), "GetLocalTime") <
          std::find(calls.begin(), calls.end(), "ShowSaveDialog"));
}

TEST_CASE("Resave downloads over the source and reports the outcome after the downloader's boxes") {
    struct Case {
        const char* name;
        std::uint32_t status;
        std::vector<fake::Piece> pieces;
        std::vector<std::wstring> boxes;
        std::string target;
    };
    const Case cases[] = {
        {"saved", 200, {{false, "new"}}, {Outcome(kPagePath, L"再保存しました")}, "new"},
        {"an empty body",
         200,
         {},
         {kPageUrl + L"\r\nファイルサイズが0 です", Outcome(kPagePath, L"再保存できませんでした")},
         "earlier copy"},
        {"a 404",
         404,
         {{false, "<h1>404</h1>"}},
         {kPageUrl + L"\r\nサーバがエラーを返しました (HTTP 404)",
          Outcome(kPagePath, L"再保存できませんでした")},
         "earlier copy"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        OpenWindow w;
        w.TakeInPage();
        SaveFileName = L"earlier target";
        w.Serve(c.pieces, c.status);
        w.form.Command(ControlId::ButtonResave);
        CHECK(SaveFileName == kPagePath);
        CHECK(w.BoxTexts() == c.boxes);
        CHECK(w.machine.boxes.back().flags == platform::kTdfSizeToContent);  // an InfoMessage
        CHECK(w.machine.files[kPagePath].bytes == c.target);
    }
}

TEST_CASE("a target that cannot be created ends the command: only the default error box") {
    OpenWindow w;
    w.TakeInPage();
    w.Serve({{false, "new"}});
    w.machine.download.createErrors[kPagePath] = 32;
    w.form.Command(ControlId::ButtonResave);
    REQUIRE(w.machine.boxes.size() == 1);
    CHECK(w.machine.boxes[0].kind == fake::BoxCall::Kind::MessageBox);
    CHECK(w.machine.boxes[0].flags == (platform::kMbOk | platform::kMbIconError));
    CHECK(w.machine.boxes[0].text ==
          L"Cannot create file \"" + kPagePath +
              L"\". The process cannot access the file because it is being used by another process.");
    CHECK(w.machine.files[kPagePath].bytes == "earlier copy");
    CHECK(SaveFileName == kPagePath);
}

TEST_CASE("Save As downloads into the chosen file and names it in its box") {
    OpenWindow w;
    w.TakeInPage();
    const std::wstring chosen = LR"(C:\Mirror\www.example.com\docs\copy)";
    w.machine.download.saveDialogAnswers = {chosen};
    w.Serve({{false, "fresh"}});
    w.form.Command(ControlId::ButtonSaveAs);
    CHECK(SaveFileName == chosen);  // no extension added
    CHECK(w.machine.files[chosen].bytes == "fresh");
    CHECK(w.machine.files[kPagePath].bytes == "earlier copy");
    CHECK(w.BoxTexts() == std::vector<std::wstring>{Outcome(chosen, L"保存しました")});

    w.machine.boxes.clear();
    w.machine.download.saveDialogAnswers = {chosen};
    w.Serve({}, 200);
    w.form.Command(ControlId::ButtonSaveAs);
    CHECK(w.BoxTexts() == std::vector<std::wstring>{kPageUrl + L"\r\nファイルサイズが0 です",
                                                    Outcome(chosen, L"保存できませんでした")});
    CHECK(w.machine.files[chosen].bytes == "fresh");
}

TEST_CASE("a 250-character source: Save As stops before the dialog, holding the proposal") {
    OpenWindow w;
    const std::wstring folder = LR"(C:\Mirror\www.example.com\)" + std::wstring(214, L'f');
    SourceFileName = folder + LR"(\page.html)";
    REQUIRE(SourceFileName.size() == 250);
    SourceUrl = kPageUrl;
    w.form.Command(ControlId::ButtonSaveAs);
    CHECK(w.machine.download.saveDialogs.empty());
    REQUIRE(w.machine.boxes.size() == 1);
    CHECK(w.machine.boxes[0].text == L"The specified path is too long.");
    CHECK(SaveFileName == folder + LR"(\page-20240102-150405006.html)");

    w.machine.boxes.clear();
    w.form.Command(ControlId::ButtonOpenFolder);
    CHECK(w.BoxTexts() == std::vector<std::wstring>{L"SaveFileName1=" + SaveFileName});
    REQUIRE(w.machine.shellExecutes.size() == 1);
    CHECK(w.machine.shellExecutes[0].file == L"\"" + folder + L"\\\"");
}

TEST_CASE("a source of 260 characters fails before the proposal; SaveFileName keeps its value") {
    OpenWindow w;
    SourceFileName = LR"(C:\Mirror\www.example.com\)" + std::wstring(229, L'f') + L".html";
    REQUIRE(SourceFileName.size() == 260);
    SaveFileName = L"kept";
    w.form.Command(ControlId::ButtonSaveAs);
    CHECK(SaveFileName == L"kept");
    CHECK(w.BoxTexts() == std::vector<std::wstring>{L"The specified path is too long."});
}

TEST_CASE("SaveFileName across command sequences") {
    const std::wstring proposal = LR"(C:\Mirror\www.example.com\docs\page-20240102-150405006.html)";

    SUBCASE("Open file location first selects the source and remembers it") {
        OpenWindow w;
        w.TakeInPage();
        w.form.Command(ControlId::ButtonOpenFolder);
        CHECK(SaveFileName == kPagePath);
        CHECK(w.BoxTexts() == std::vector<std::wstring>{L"SaveFileName1=" + kPagePath});
        CHECK(w.machine.boxes[0].flags == platform::kTdfAllowDialogCancellation);  // a NoticeMessage
        REQUIRE(w.machine.shellExecutes.size() == 1);
        CHECK(w.machine.shellExecutes[0].parameters == L"/select,\"" + kPagePath + L"\"");
    }
    SUBCASE("Save As, Cancel, Open file location: the proposal's folder opens without a selection") {
        OpenWindow w;
        w.TakeInPage();
        w.form.Command(ControlId::ButtonSaveAs);
        w.form.Command(ControlId::ButtonOpenFolder);
        CHECK(w.BoxTexts() == std::vector<std::wstring>{L"SaveFileName1=" + proposal});
        REQUIRE(w.machine.shellExecutes.size() == 1);
        CHECK(w.machine.shellExecutes[0].file == LR"("C:\Mirror\www.example.com\docs\")");
    }
    SUBCASE("Resave after Save As names the source") {
        OpenWindow w;
        w.TakeInPage();
        w.machine.download.saveDialogAnswers = {proposal};
        w.Serve({{false, "fresh"}});
        w.form.Command(ControlId::ButtonSaveAs);
        w.machine.boxes.clear();
        w.form.Command(ControlId::ButtonResave);
        CHECK(SaveFileName == kPagePath);
        CHECK(w.BoxTexts() == std::vector<std::wstring>{Outcome(kPagePath, L"再保存しました")});
    }
    SUBCASE("a new intake after Save As: Open file location still selects the Save As target") {
        OpenWindow w;
        w.TakeInPage();
        w.machine.download.saveDialogAnswers = {proposal};
        w.Serve({{false, "fresh"}});
        w.form.Command(ControlId::ButtonSaveAs);
        w.machine.download.openDialogAnswers = {LR"(C:\Mirror\www.other.example\a.html)"};
        w.form.Command(ControlId::ButtonSelectFile);
        w.machine.shellExecutes.clear();
        w.form.Command(ControlId::ButtonOpenFolder);
        CHECK(SaveFileName == proposal);
        REQUIRE(w.machine.shellExecutes.size() == 1);
        CHECK(w.machine.shellExecutes[0].parameters == L"/select,\"" + proposal + L"\"");
    }
    SUBCASE("a saved target deleted afterwards: its folder opens instead") {
        OpenWindow w;
        w.TakeInPage();
        w.machine.download.saveDialogAnswers = {proposal};
        w.Serve({{false, "fresh"}});
        w.form.Command(ControlId::ButtonSaveAs);
        w.machine.files.erase(proposal);
        w.form.Command(ControlId::ButtonOpenFolder);
        CHECK(w.machine.shellExecutes.back().file == LR"("C:\Mirror\www.example.com\docs\")");
    }
}
