#include <doctest.h>

#include "fixture.h"

TEST_CASE("the properties sheet is asked for with exactly the fields the shell needs, no owner") {
    for (ControlId control : {ControlId::ButtonProperties, ControlId::N2}) {
        FreshMachine m;
        m.machine.moduleFileName = LR"(D:\Apps\Velmora\Velmora.exe)";
        TForm1 form;
        form.Command(control);
        form.Command(control);  // nothing is kept: the same request again
        REQUIRE(m.machine.info.shellExecuteExes.size() == 2);
        for (const fake::ShellExecuteExCall& call : m.machine.info.shellExecuteExes) {
            CHECK(call.mask == 0x44Cu);
            CHECK(call.window == 0);
            CHECK(call.verb == L"properties");
            CHECK(call.file == LR"(D:\Apps\Velmora\Velmora.exe)");
            CHECK_FALSE(call.parameters.has_value());
            CHECK_FALSE(call.directory.has_value());
        }
        CHECK(m.machine.boxes.empty());
    }
}

TEST_CASE("the maker's pages open in the browser") {
    struct Case {
        ControlId button;
        const wchar_t* url;
    };
    const Case cases[] = {
        {ControlId::ButtonDonation, L"https://www.quorrin.example/software/index3.html"},
        {ControlId::ButtonHomeSite, L"https://www.quorrin.example/"},
    };
    for (const Case& c : cases) {
        FreshMachine m;
        TForm1 form;
        form.Command(c.button);
        REQUIRE(m.machine.shellExecutes.size() == 1);
        CHECK(m.machine.shellExecutes[0].verb == L"open");
        CHECK(m.machine.shellExecutes[0].file == c.url);
        CHECK(m.machine.boxes.empty());
    }
}
