#include <doctest.h>

#include <algorithm>

#include "app/texts.h"
#include "url/path_to_url.h"
#include "window_fixture.h"

namespace {

constexpr platform::DropHandle kDrop = 0x5000;

void Drop(OpenWindow& w, std::vector<std::wstring> paths) {
    w.machine.download.drops[kDrop] = fake::Drop{std::move(paths), 0};
    bool handled = false;
    w.form.AppMessage({w.form.Handle(), platform::kWmDropFiles, kDrop, 0}, handled);
    CHECK(handled);
}

bool SourceButtonsEnabled(const OpenWindow& w) {
    const fake::Window& window = fake::TheWindow(w.form.Handle());
    for (int id : {1002, 1003, 1004}) {
        const auto found = window.enabled.find(id);
        if (found == window.enabled.end() || !found->second) return false;
    }
    return true;
}

}  // namespace

TEST_CASE("a drop of two files shows the notice once and takes the first") {
    OpenWindow w;
    Drop(w, {LR"(C:\Mirror\www.example.com\index.html)", LR"(C:\b.html)"});
    REQUIRE(w.machine.boxes.size() == 1);
    CHECK(w.machine.boxes[0].text == L"複数のファイルは受け取れません。先頭のファイルを処理します。");
    CHECK(w.machine.boxes[0].flags == platform::kTdfSizeToContent);  // an InfoMessage
    CHECK(SourceFileName == LR"(C:\Mirror\www.example.com\index.html)");
    CHECK(SourceUrl == L"http://www.example.com/index.html");
    REQUIRE(w.machine.shellExecutes.size() == 1);
    CHECK(w.machine.shellExecutes[0].file == L"http://www.example.com/index.html");
    CHECK(w.machine.download.drops[kDrop].finishes == 1);
    CHECK(SourceButtonsEnabled(w));
}

TEST_CASE("a drop is sent straight to the window, then the application is restored") {
    OpenWindow w;
    Drop(w, {kPagePath});
    CHECK(w.machine.boxes.empty());
    REQUIRE(w.machine.download.sentMessages.size() == 1);
    const platform::QueuedMessage& sent = w.machine.download.sentMessages[0];
    CHECK(sent.window == w.form.Handle());
    CHECK(sent.message == platform::kWmDropFiles);
    CHECK(sent.wParam == kDrop);
    CHECK(w.machine.download.restores == 1);
    const auto& calls = w.machine.calls;
    CHECK(std::find(calls.begin(), calls.end(), "RestoreApplication") >
          std::find(calls.begin(), calls.end(), "DragFinish"));
}

TEST_CASE("other messages, and drops for other windows, pass the hook untouched") {
    OpenWindow w;
    const platform::QueuedMessage others[] = {
        {w.form.Handle(), 0x0100, 0, 0},
        {w.form.Handle() + 1, platform::kWmDropFiles, kDrop, 0},
    };
    for (const platform::QueuedMessage& message : others) {
        bool handled = false;
        w.form.AppMessage(message, handled);
        CHECK_FALSE(handled);
    }
    // A drop posted to the thread, once the window is gone.
    w.form.Destroy();
    bool handled = false;
    w.form.AppMessage({0, platform::kWmDropFiles, kDrop, 0}, handled);
    CHECK_FALSE(handled);
    CHECK(w.machine.download.sentMessages.empty());
    CHECK(w.machine.download.restores == 0);
}

TEST_CASE("a dropped shortcut stands for its target; a dropped folder is taken like a file") {
    struct Case {
        std::wstring dropped;
        std::wstring source;
    };
    const Case cases[] = {
        {LR"(C:\Links\Page.LNK)", LR"(C:\Mirror\www.example.com\docs\page.html)"},
        {LR"(C:\Mirror\www.example.com\docs)", LR"(C:\Mirror\www.example.com\docs)"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.dropped);
        OpenWindow w;
        w.machine.files[LR"(C:\Links\Page.LNK)"].shortcutTarget = kPagePath;
        w.machine.files[LR"(C:\Mirror\www.example.com\docs)"].directory = true;
        Drop(w, {c.dropped});
        CHECK(SourceFileName == c.source);
        CHECK(SourceUrl == PathToUrl(c.source));
    }
}

TEST_CASE("a dropped path longer than 255 characters is read whole") {
    OpenWindow w;
    const std::wstring path = LR"(C:\Mirror\www.example.com\)" + std::wstring(300, L'x') + L".html";
    Drop(w, {path});
    CHECK(SourceFileName == path);
    const auto& queries = w.machine.download.dragQueries;
    REQUIRE(queries.size() == 3);
    CHECK(queries[0].index == platform::kDragQueryCount);
    CHECK_FALSE(queries[1].withBuffer);  // the length first
    CHECK(queries[2].withBuffer);
    CHECK(queries[2].bufferChars == path.size() + 1);
}

TEST_CASE("a short dropped path is read with the 256-character name buffer") {
    OpenWindow w;
    Drop(w, {kPagePath});
    REQUIRE(w.machine.download.dragQueries.size() == 3);
    CHECK(w.machine.download.dragQueries[2].bufferChars == 256);
}

TEST_CASE("an error while the dropped path is prepared still releases the drop and changes nothing") {
    OpenWindow w;
    w.TakeInPage();
    w.machine.shellLinkUnavailable = true;
    Drop(w, {LR"(C:\Links\Page.lnk)"});
    CHECK(w.machine.download.drops[kDrop].finishes == 1);
    CHECK(SourceFileName == kPagePath);
    CHECK(SourceUrl == kPageUrl);
    CHECK(w.machine.shellExecutes.empty());
    CHECK_FALSE(SourceButtonsEnabled(w));
    REQUIRE(w.machine.boxes.size() == 1);
    CHECK(w.machine.boxes[0].text == L"Class not registered.");
    CHECK(w.machine.boxes[0].flags == (platform::kMbOk | platform::kMbIconError));
}

TEST_CASE("the open dialog starts in the Desktop with only the must-exist options and one type") {
    OpenWindow w;
    w.machine.specialFolders[platform::kCsidlDesktop] = LR"(C:\Users\u\Desktop)";
    w.machine.download.openDialogAnswers = {kPagePath, std::nullopt};
    w.form.Command(ControlId::ButtonSelectFile);
    w.form.Command(ControlId::ButtonSelectFile);
    const auto& dialogs = w.machine.download.openDialogs;
    REQUIRE(dialogs.size() == 2);
    for (const platform::FileDialogConfig& dialog : dialogs) {
        CHECK(dialog.owner == w.form.Handle());
        CHECK(dialog.folder == LR"(C:\Users\u\Desktop\)");
        CHECK(dialog.options == 0x1800);
        REQUIRE(dialog.fileTypes.size() == 1);
        CHECK(dialog.fileTypes[0].name == L"All");
        CHECK(dialog.fileTypes[0].mask == L"*.*");
        CHECK(dialog.fileTypeIndex == 1);
    }
    CHECK(dialogs[0].fileName == L"");
    CHECK(dialogs[1].fileName == kPagePath);
}

TEST_CASE("a choice in the open dialog is taken as it is, without the drop's preparation") {
    OpenWindow w;
    const std::wstring shortName = LR"(C:\MIRROR~1\www.example.com\page.html)";
    w.machine.longNames[shortName] = LR"(C:\Mirror Copies\www.example.com\page.html)";
    w.machine.download.openDialogAnswers = {shortName};
    w.form.Command(ControlId::ButtonSelectFile);
    CHECK(SourceFileName == shortName);
    CHECK(SourceUrl == L"http://www.example.com/page.html");
    CHECK(SourceButtonsEnabled(w));
    REQUIRE(w.machine.shellExecutes.size() == 1);
    CHECK(w.machine.shellExecutes[0].file == L"http://www.example.com/page.html");
}

TEST_CASE("a cancelled open dialog changes nothing, before or after an intake") {
    OpenWindow w;
    w.form.Command(ControlId::ButtonSelectFile);
    CHECK(SourceFileName.empty());
    CHECK_FALSE(SourceButtonsEnabled(w));
    w.machine.download.openDialogAnswers = {kPagePath, std::nullopt};
    w.form.Command(ControlId::ButtonSelectFile);
    w.form.Command(ControlId::ButtonSelectFile);
    CHECK(SourceFileName == kPagePath);
    CHECK(SourceUrl == kPageUrl);
    CHECK(SourceButtonsEnabled(w));
    CHECK(w.machine.shellExecutes.size() == 1);
}

TEST_CASE("a second intake replaces the first and leaves SaveFileName alone") {
    OpenWindow w;
    SaveFileName = LR"(C:\Mirror\www.example.com\docs\page-20240102-150405006.html)";
    Drop(w, {kPagePath});
    w.machine.download.openDialogAnswers = {LR"(C:\Mirror\www.other.example\a.html)"};
    w.form.Command(ControlId::ButtonSelectFile);
    CHECK(SourceFileName == LR"(C:\Mirror\www.other.example\a.html)");
    CHECK(SourceUrl == L"http://www.other.example/a.html");
    CHECK(SaveFileName == LR"(C:\Mirror\www.example.com\docs\page-20240102-150405006.html)");
}
