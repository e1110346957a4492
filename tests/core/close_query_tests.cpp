#include <doctest.h>

#include <algorithm>

#include "app/texts.h"
#include "fixture.h"

namespace {

const std::wstring kUserFile = LR"(C:\Users\u\AppData\Roaming\Quorrin\Velmora\Velmora.ini)";

struct ClosingWindow : FreshMachine {
    TForm1 form;
    ClosingWindow() {
        fake::FileEntry folder;
        folder.directory = true;
        machine.files[LR"(C:\Users\u\AppData\Roaming\Quorrin\Velmora)"] = folder;
        Form1 = &form;
        form.Create();
        machine.boxes.clear();
    }
    ~ClosingWindow() { form.Destroy(); }
    const fake::Window& window() const { return machine.windows.begin()->second; }
    bool written() const { return machine.files.count(kUserFile) != 0; }
};

}  // namespace

TEST_CASE("without the confirmation option a close writes the file and stops taking drops") {
    ClosingWindow w;
    CHECK(w.form.FormCloseQuery());
    CHECK(w.machine.boxes.empty());
    CHECK(w.written());
    CHECK_FALSE(w.window().acceptsDrops);
}

TEST_CASE("with the confirmation option the close asks first") {
    ClosingWindow w;
    w.form.SetChecked(ControlId::CheckBoxCloseQuery, true);
    SUBCASE("Yes closes") {
        w.machine.boxAnswers = {platform::kIdYes};
        CHECK(w.form.FormCloseQuery());
        CHECK(w.written());
        CHECK_FALSE(w.window().acceptsDrops);
    }
    SUBCASE("No keeps the window, writes nothing and keeps taking drops") {
        w.machine.boxAnswers = {platform::kIdNo};
        CHECK_FALSE(w.form.FormCloseQuery());
        CHECK_FALSE(w.written());
        CHECK(w.window().acceptsDrops);
    }
    REQUIRE(w.machine.boxes.size() == 1);
    const fake::BoxCall& question = w.machine.boxes[0];
    CHECK(question.kind == fake::BoxCall::Kind::MessageBox);
    CHECK(question.text == L"終了してよいですか？");
    CHECK(question.caption == L"Velmora");
    CHECK(question.flags == (platform::kMbYesNo | platform::kMbIconQuestion));
}

TEST_CASE("the end-of-session query closes without asking, clears the flag and answers TRUE") {
    ClosingWindow w;
    w.form.SetChecked(ControlId::CheckBoxCloseQuery, true);
    CHECK(w.form.WMQueryEndSession());
    CHECK(w.machine.boxes.empty());
    CHECK_FALSE(SessionEnding);
    CHECK(w.written());
    CHECK_FALSE(w.window().acceptsDrops);

    SUBCASE("a later ordinary close asks again") {
        w.machine.boxAnswers = {platform::kIdNo};
        CHECK_FALSE(w.form.FormCloseQuery());
        CHECK(w.machine.boxes.size() == 1);
    }
}

TEST_CASE("a failed write shows the error box and refuses the close") {
    ClosingWindow w;
    fake::FileEntry previous;
    previous.bytes = "[PROGRAM]\r\nName=old\r\n";
    w.machine.files[kUserFile] = previous;
    std::wstring shown;
    SUBCASE("the file cannot be replaced") {
        w.machine.download.createErrors[kUserFile] = 5;
        shown = L"Cannot create file \"" + kUserFile + L"\". Access is denied.";
    }
    SUBCASE("the volume is full") {
        w.machine.download.failingWrite = 0;
        shown = L"Stream write error.";
    }
    SUBCASE("the file cannot be read") {
        w.machine.mainWindow.readError = L"Access is denied";
        shown = L"Access is denied.";
    }
    SUBCASE("during the end-of-session query, which is answered FALSE") {
        w.machine.download.createErrors[kUserFile] = 5;
        shown = L"Cannot create file \"" + kUserFile + L"\". Access is denied.";
        CHECK_FALSE(w.form.WMQueryEndSession());
        CHECK_FALSE(SessionEnding);
    }
    CHECK_FALSE(w.form.FormCloseQuery());
    REQUIRE_FALSE(w.machine.boxes.empty());
    const fake::BoxCall& box = w.machine.boxes.back();
    CHECK(box.flags == (platform::kMbOk | platform::kMbIconError));
    CHECK(box.text == shown);
    CHECK(w.machine.files.at(kUserFile).bytes == "[PROGRAM]\r\nName=old\r\n");
    for (const auto& [path, entry] : w.machine.files) CHECK(path.find(L"\\~") == std::wstring::npos);
    CHECK(w.window().acceptsDrops);
}

TEST_CASE("Esc posts a close to the window instead of closing under the running command") {
    ClosingWindow w;
    w.form.Command(ControlId::Close1);
    CHECK(w.machine.mainWindow.postedMessages == std::vector<std::uint32_t>{platform::kWmClose});
    CHECK_FALSE(w.written());
}

TEST_CASE("the end-of-session query leaves an idle window to the session's end") {
    ClosingWindow w;
    const platform::WindowHandle window = w.form.Handle();
    CHECK(w.form.EndSessionQueried());
    CHECK_FALSE(fake::TheWindow(window).destroyed);
}
