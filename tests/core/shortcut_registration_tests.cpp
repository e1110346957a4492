#include <doctest.h>

#include "fixture.h"

namespace {

constexpr const wchar_t* kSendTo = LR"(C:\Users\u\AppData\Roaming\Microsoft\Windows\SendTo)";
constexpr const wchar_t* kShortcut = LR"(C:\Users\u\AppData\Roaming\Microsoft\Windows\SendTo\Velmora.Lnk)";
constexpr const wchar_t* kExe = LR"(C:\Tools\Velmora.exe)";

constexpr const wchar_t* kQ1 =
    L"送る には既に Velmora.Lnk が存在します。\r\n更新しますか？\r\n\r\n[はい]: 更新, [いいえ]: 削除, "
    L"[Cancel]: 取消し";
constexpr const wchar_t* kQ2 = L"フォルダ 送る を開きますか？";

struct SendToMachine : FreshMachine {
    SendToMachine() { machine.specialFolders[platform::kCsidlSendTo] = kSendTo; }
    void HaveShortcut(const wchar_t* target = LR"(C:\Old\Velmora.exe)") {
        fake::FileEntry entry;
        entry.shortcutTarget = target;
        machine.files[kShortcut] = entry;
    }
    void Press() { form.Command(ControlId::ButtonAddSendTo); }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (const fake::BoxCall& box : machine.boxes) texts.push_back(box.text);
        return texts;
    }
    TForm1 form;
};

std::wstring Report(const wchar_t* head, const wchar_t* tail) {
    return std::wstring(head) + L" \r\n" + kShortcut + L"\r\n" + tail;
}

}  // namespace

TEST_CASE("first press creates the shortcut holding only the executable, reports C1 with the full path") {
    SendToMachine m;
    m.Press();
    REQUIRE(m.machine.files.count(kShortcut));
    CHECK(m.machine.files.at(kShortcut).shortcutTarget == kExe);
    CHECK(m.machine.info.shellLinkSaveRemember == std::vector<bool>{false});
    CHECK(m.Texts() == std::vector<std::wstring>{Report(L"フォルダ 送る に", L"新規作成しました。"), kQ2});
    REQUIRE(m.machine.boxes.size() == 2);
    CHECK(m.machine.boxes[0].kind == fake::BoxCall::Kind::TaskDialog);
    CHECK(m.machine.boxes[1].flags == (platform::kMbIconQuestion | platform::kMbYesNo));
}

TEST_CASE("Q2 answered Yes selects the shortcut in Explorer, No opens nothing") {
    SendToMachine m;
    m.machine.boxAnswers = {platform::kIdOk, platform::kIdYes};
    m.Press();
    REQUIRE(m.machine.shellExecutes.size() == 1);
    CHECK(m.machine.shellExecutes[0].file == LR"(C:\Windows\explorer.exe)");
    CHECK(m.machine.shellExecutes[0].parameters == L"/select,\"" + std::wstring(kShortcut) + L"\"");

    m.machine.shellExecutes.clear();
    m.machine.boxAnswers = {platform::kIdYes, platform::kIdOk, platform::kIdNo};
    m.Press();  // now there: Yes rewrites it
    CHECK(m.machine.shellExecutes.empty());
}

TEST_CASE("an existing shortcut: Q1 names the file only, each answer does its own work") {
    struct Case {
        const char* name;
        int answer;
        bool lockedFile;
        bool shortcutAfter;
        const wchar_t* report;  // nullptr: none, and no Q2
    };
    const std::wstring d2 =
        Report(L"フォルダ 送る から", L"削除できませんでした。\r\n削除済み、または他で使用中です。");
    const std::wstring u1 = Report(L"フォルダ 送る の", L"更新しました。");
    const std::wstring d1 = Report(L"フォルダ 送る から", L"削除しました。");
    const Case cases[] = {
        {"Yes rewrites", platform::kIdYes, false, true, u1.c_str()},
        {"No deletes", platform::kIdNo, false, false, d1.c_str()},
        {"No on a locked file", platform::kIdNo, true, true, d2.c_str()},
        {"Cancel, Esc or close does nothing", platform::kIdCancel, false, true, nullptr},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        SendToMachine m;
        m.HaveShortcut();
        if (c.lockedFile) m.machine.info.lockedFiles.push_back(kShortcut);
        m.machine.boxAnswers = {c.answer, platform::kIdOk, platform::kIdNo};
        m.Press();
        std::vector<std::wstring> expected{kQ1};
        if (c.report) expected.insert(expected.end(), {c.report, kQ2});
        CHECK(m.Texts() == expected);
        CHECK(m.machine.boxes[0].flags == (platform::kMbIconQuestion | platform::kMbYesNoCancel));
        CHECK(m.machine.files.count(kShortcut) == (c.shortcutAfter ? 1u : 0u));
    }
}

TEST_CASE("rewriting replaces whatever the old shortcut pointed at") {
    SendToMachine m;
    m.HaveShortcut(LR"(D:\Elsewhere\Other.exe)");
    m.machine.boxAnswers = {platform::kIdYes, platform::kIdOk, platform::kIdNo};
    m.Press();
    CHECK(m.machine.files.at(kShortcut).shortcutTarget == kExe);
}

TEST_CASE("Cancel creates no shell link and deletes nothing") {
    SendToMachine m;
    m.HaveShortcut();
    m.machine.boxAnswers = {platform::kIdCancel};
    m.Press();
    CHECK(m.machine.info.deletions.empty());
    CHECK(std::count(m.machine.calls.begin(), m.machine.calls.end(), "CoCreateInstance(ShellLink)") == 0);
}

TEST_CASE("a failed save is reported and Q2 still follows") {
    struct Case {
        bool existing;
        std::wstring report;
    };
    const Case cases[] = {
        {false, Report(L"フォルダ 送る に", L"新規作成できませんでした。")},
        {true, Report(L"フォルダ 送る の", L"更新できませんでした。")},
    };
    for (const Case& c : cases) {
        SendToMachine m;
        if (c.existing) m.HaveShortcut();
        m.machine.info.shellLinkSaveResult = static_cast<std::int32_t>(0x80070005);  // access denied
        m.machine.boxAnswers = {platform::kIdYes, platform::kIdOk, platform::kIdNo};
        m.Press();
        std::vector<std::wstring> expected{c.report, kQ2};
        if (c.existing) expected.insert(expected.begin(), kQ1);
        CHECK(m.Texts() == expected);
    }
}

TEST_CASE("a shell link that cannot be created ends in the default error box, no report, no Q2") {
    SendToMachine m;
    m.machine.shellLinkUnavailable = true;
    m.Press();
    REQUIRE(m.machine.boxes.size() == 1);
    CHECK(m.machine.boxes[0].text == L"Class not registered.");
    CHECK(m.machine.boxes[0].flags == (platform::kMbOk | platform::kMbIconError));
}

TEST_CASE("the four buttons differ only in the folder and its caption") {
    struct Case {
        ControlId button;
        int csidl;
        const wchar_t* folder;
        const wchar_t* caption;
    };
    const Case cases[] = {
        {ControlId::ButtonAddSendTo, platform::kCsidlSendTo, LR"(C:\P\SendTo)", L"送る"},
        {ControlId::ButtonDeskTop, platform::kCsidlDesktop, LR"(C:\P\Desktop)", L"デスクトップ"},
        {ControlId::ButtonStartMenu, platform::kCsidlPrograms, LR"(C:\P\Programs)",
         L"スタートメニューのプログラム"},
        {ControlId::ButtonStartUp, platform::kCsidlStartup, LR"(C:\P\Startup)", L"スタートアップ"},
    };
    for (const Case& c : cases) {
        FreshMachine m;
        for (const Case& other : cases) m.machine.specialFolders[other.csidl] = other.folder;
        TForm1 form;
        form.Command(c.button);
        const std::wstring shortcut = std::wstring(c.folder) + L"\\Velmora.Lnk";
        CHECK(m.machine.files.size() == 1);
        CHECK(m.machine.files.count(shortcut) == 1);
        REQUIRE(m.machine.boxes.size() == 2);
        CHECK(m.machine.boxes[0].text ==
              L"フォルダ " + std::wstring(c.caption) + L" に \r\n" + shortcut + L"\r\n新規作成しました。");
        CHECK(m.machine.boxes[1].text == L"フォルダ " + std::wstring(c.caption) + L" を開きますか？");
    }
}

TEST_CASE("a folder the shell cannot resolve puts the shortcut in the root of the current drive") {
    FreshMachine m;
    TForm1 form;
    m.machine.boxAnswers = {platform::kIdOk, platform::kIdYes};
    form.Command(ControlId::ButtonStartUp);
    CHECK(m.machine.files.count(LR"(\Velmora.Lnk)") == 1);
    REQUIRE(m.machine.boxes.size() == 2);
    CHECK(m.machine.boxes[0].text == L"フォルダ スタートアップ に \r\n\\Velmora.Lnk\r\n新規作成しました。");
    REQUIRE(m.machine.shellExecutes.size() == 1);
    CHECK(m.machine.shellExecutes[0].parameters == LR"(/select,"\Velmora.Lnk")");
}

TEST_CASE("a folder named like the shortcut counts as absent: no Q1, the save fails") {
    SendToMachine m;
    m.machine.files[kShortcut] = fake::FileEntry{true, "", std::nullopt};
    m.machine.info.shellLinkSaveResult = static_cast<std::int32_t>(0x80070005);
    m.Press();
    CHECK(m.Texts() ==
          std::vector<std::wstring>{Report(L"フォルダ 送る に", L"新規作成できませんでした。"), kQ2});
}
