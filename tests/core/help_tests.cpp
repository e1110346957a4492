#include <doctest.h>

#include "fixture.h"

namespace {

struct HelpMachine : FreshMachine {
    explicit HelpMachine(const wchar_t* exe) {
        machine.moduleFileName = exe;
        form.Create();
        Form1 = &form;
        machine.boxes.clear();
        machine.shellExecutes.clear();
    }
    ~HelpMachine() { form.Destroy(); }
    void File(const wchar_t* path, bool directory = false) {
        machine.files[path] = fake::FileEntry{directory, "", {}};
    }
    TForm1 form;
};

}  // namespace

TEST_CASE("the walk opens the first help file found, quoted, with the main window as owner") {
    struct Case {
        const char* name;
        const wchar_t* exe;
        std::vector<const wchar_t*> files;
        const wchar_t* opened;
        int checks;
    };
    const Case cases[] = {
        {"beside the program",
         LR"(C:\Tools\Pages\App.exe)",
         {LR"(C:\Tools\Pages\App.chm)", LR"(C:\App.chm)"},
         LR"("C:\Tools\Pages\App.chm")",
         1},
        {"in the parent",
         LR"(C:\Tools\Pages\App.exe)",
         {LR"(C:\Tools\App.chm)", LR"(C:\App.chm)"},
         LR"("C:\Tools\App.chm")",
         2},
        {"only in the drive root", LR"(C:\Tools\Pages\App.exe)", {LR"(C:\App.chm)"}, LR"("C:\App.chm")", 3},
        {"on a share, one level up",
         LR"(\\server\share\dir\App.exe)",
         {LR"(\\server\share\App.chm)"},
         LR"("\\server\share\App.chm")",
         2},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        HelpMachine m(c.exe);
        for (const wchar_t* file : c.files) m.File(file);
        m.machine.calls.clear();
        m.form.Command(ControlId::N1);
        CHECK(m.machine.boxes.empty());
        REQUIRE(m.machine.shellExecutes.size() == 1);
        const fake::ShellExecuteCall& call = m.machine.shellExecutes[0];
        CHECK(call.owner == m.form.Handle());
        CHECK(call.verb == L"open");
        CHECK(call.file == c.opened);
        CHECK_FALSE(call.parameters.has_value());
        CHECK_FALSE(call.directory.has_value());
        CHECK(call.show == platform::ShowCommand::ShowNormal);
        CHECK(std::count(m.machine.calls.begin(), m.machine.calls.end(), "FileExists") == c.checks);
    }
}

TEST_CASE("no help file anywhere: the box names the file only, after the last check of the walk") {
    struct Case {
        const char* name;
        const wchar_t* exe;
        int checks;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"three levels", LR"(C:\Tools\Pages\App.exe)", 3, L"HelpFile Not Found.\r\n\r\nApp.chm"},
        {"a program in a drive root", LR"(C:\App.exe)", 1, L"HelpFile Not Found.\r\n\r\nApp.chm"},
        {"a share", LR"(\\server\share\dir\Velmora.exe)", 2, L"HelpFile Not Found.\r\n\r\nVelmora.chm"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        HelpMachine m(c.exe);
        m.machine.calls.clear();
        m.form.Command(ControlId::ButtonHelp);
        CHECK(m.machine.shellExecutes.empty());
        CHECK(std::count(m.machine.calls.begin(), m.machine.calls.end(), "FileExists") == c.checks);
        REQUIRE(m.machine.boxes.size() == 1);
        CHECK(m.machine.boxes[0].kind == fake::BoxCall::Kind::TaskDialog);
        CHECK(m.machine.boxes[0].text == c.text);
    }
}

TEST_CASE("a folder named like the help file is passed over") {
    HelpMachine m(LR"(C:\Tools\Pages\App.exe)");
    m.File(LR"(C:\Tools\Pages\App.chm)", true);
    m.File(LR"(C:\Tools\App.chm)");
    m.form.Command(ControlId::N1);
    REQUIRE(m.machine.shellExecutes.size() == 1);
    CHECK(m.machine.shellExecutes[0].file == LR"("C:\Tools\App.chm")");
}

TEST_CASE("a first candidate of 260 characters: opened when there, the path error when not") {
    // C:\ + folder + \App.chm = 260 characters.
    const std::wstring folder = LR"(C:\)" + std::wstring(260 - 3 - 8, L'd');
    const std::wstring exe = folder + LR"(\App.exe)";
    const std::wstring help = folder + LR"(\App.chm)";
    REQUIRE(help.size() == 260);
    {
        HelpMachine m(exe.c_str());
        m.File(help.c_str());
        m.form.Command(ControlId::N1);
        REQUIRE(m.machine.shellExecutes.size() == 1);
        CHECK(m.machine.boxes.empty());
    }
    {
        HelpMachine m(exe.c_str());
        m.form.Command(ControlId::N1);
        CHECK(m.machine.shellExecutes.empty());
        REQUIRE(m.machine.boxes.size() == 1);
        CHECK(m.machine.boxes[0].text == L"The specified path is too long.");
        CHECK(m.machine.boxes[0].flags == (platform::kMbOk | platform::kMbIconError));
    }
    // One character less walks on as usual.
    const std::wstring shorter = folder.substr(0, folder.size() - 1) + LR"(\App.exe)";
    HelpMachine m(shorter.c_str());
    m.form.Command(ControlId::N1);
    REQUIRE(m.machine.boxes.size() == 1);
    CHECK(m.machine.boxes[0].text == L"HelpFile Not Found.\r\n\r\nApp.chm");
}
