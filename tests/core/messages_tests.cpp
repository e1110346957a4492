#include <doctest.h>

#include <stdexcept>

#include "app/messages.h"
#include "fixture.h"

TEST_CASE("the default error box adds a full stop only after characters that sort after '.'") {
    struct Case {
        const wchar_t* text;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"Stream write error", L"Stream write error."},
        {L"The specified path is too long", L"The specified path is too long."},
        {L"Already ends.", L"Already ends."},
        {L"Code 5", L"Code 5."},     // '5' sorts after '.'
        {L"Really!", L"Really!"},    // '!' sorts before '.'
        {L"(quoted)", L"(quoted)"},  // ')' sorts before '.'
        {L"a,", L"a,"},              // ',' sorts before '.'
        {L"path/", L"path/."},       // '/' sorts after '.'
        {L"終了", L"終了."},
        {L"", L""},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.text));
        CHECK(DefaultErrorText(c.text) == c.shown);
    }
}

TEST_CASE("an error a command does not handle ends it in the default error box, the library's own too") {
    FreshMachine m;
    CHECK_FALSE(RunCommand([] { throw platform::Error(L"Stream write error"); }));
    CHECK_FALSE(RunCommand([] { throw std::length_error("vector::_M_realloc_insert"); }));
    CHECK(RunCommand([] {}));
    REQUIRE(m.machine.boxes.size() == 2);
    CHECK(m.machine.boxes[0].text == L"Stream write error.");
    CHECK(m.machine.boxes[1].text == L"vector::_M_realloc_insert.");
    for (const fake::BoxCall& box : m.machine.boxes) {
        CHECK(box.flags == (platform::kMbOk | platform::kMbIconError));
        CHECK(box.caption == L"Velmora");
    }
}

TEST_CASE("InfoMessage and NoticeMessage are task dialogs differing only in their flags") {
    FreshMachine m;
    InfoMessage(L"info");
    NoticeMessage(L"notice");
    REQUIRE(m.machine.boxes.size() == 2);
    CHECK(m.machine.boxes[0].kind == fake::BoxCall::Kind::TaskDialog);
    CHECK(m.machine.boxes[0].flags == platform::kTdfSizeToContent);
    CHECK(m.machine.boxes[0].caption == L"Velmora");
    CHECK(m.machine.boxes[0].text == L"info");
    CHECK(m.machine.boxes[1].kind == fake::BoxCall::Kind::TaskDialog);
    CHECK(m.machine.boxes[1].flags == platform::kTdfAllowDialogCancellation);
    CHECK(m.machine.boxes[1].text == L"notice");
}

TEST_CASE("without task dialogs both are the classic OK box without an icon") {
    FreshMachine m;
    m.machine.taskDialogAvailable = false;
    InfoMessage(L"info");
    NoticeMessage(L"notice");
    REQUIRE(m.machine.boxes.size() == 2);
    for (const fake::BoxCall& box : m.machine.boxes) {
        CHECK(box.kind == fake::BoxCall::Kind::MessageBox);
        CHECK(box.flags == platform::kMbOk);
        CHECK(box.caption == L"Velmora");
    }
}

TEST_CASE("ConfirmMessage asks with the question icon and maps the answer") {
    FreshMachine m;
    struct Case {
        ConfirmButtons buttons;
        int answer;
        ConfirmResult result;
        std::uint32_t type;
    };
    const std::uint32_t yesNo = platform::kMbIconQuestion | platform::kMbYesNo;
    const std::uint32_t yesNoCancel = platform::kMbIconQuestion | platform::kMbYesNoCancel;
    const Case cases[] = {
        {ConfirmButtons::YesNo, platform::kIdYes, ConfirmResult::Yes, yesNo},
        {ConfirmButtons::YesNo, platform::kIdNo, ConfirmResult::No, yesNo},
        {ConfirmButtons::YesNoCancel, platform::kIdYes, ConfirmResult::Yes, yesNoCancel},
        {ConfirmButtons::YesNoCancel, platform::kIdNo, ConfirmResult::No, yesNoCancel},
        {ConfirmButtons::YesNoCancel, platform::kIdCancel, ConfirmResult::Cancel, yesNoCancel},
    };
    for (const Case& c : cases) {
        m.machine.boxes.clear();
        m.machine.boxAnswers = {c.answer};
        CHECK(ConfirmMessage(L"?", c.buttons) == c.result);
        REQUIRE(m.machine.boxes.size() == 1);
        CHECK(m.machine.boxes[0].flags == c.type);
        CHECK(m.machine.boxes[0].caption == L"Velmora");
    }
}

TEST_CASE("boxes are owned by the main window once it is on screen") {
    FreshMachine m;
    TForm1 form;
    Form1 = &form;
    form.Create();  // no argument: the window is shown
    InfoMessage(L"x");
    REQUIRE(m.machine.boxes.size() == 1);
    CHECK(m.machine.boxes[0].owner == form.Handle());
    form.Destroy();
}
