#include <string>
#include <vector>

#include "../printing.h"
#include "app/application.h"

namespace {

using Args = std::vector<std::wstring>;

struct Case {
    const wchar_t* line;
    Args arguments;  // the program path first
};

void CheckCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.line));
        CHECK(SplitCommandLine(c.line) == c.arguments);
    }
}

}  // namespace

TEST_CASE("quotes group a whole argument or a part of one and are dropped") {
    CheckCases({
        {LR"(V.exe "C:\My Mirror\www.example.com\a.html")",
         {L"V.exe", LR"(C:\My Mirror\www.example.com\a.html)"}},
        {LR"(V.exe C:\"My Mirror"\www.example.com\a.html)",
         {L"V.exe", LR"(C:\My Mirror\www.example.com\a.html)"}},
        {LR"(V.exe a"b c"d e)", {L"V.exe", L"ab cd", L"e"}},
        {LR"(V.exe "a""b")", {L"V.exe", L"ab"}},
    });
}

TEST_CASE("an unquoted path with a space becomes several arguments") {
    CheckCases({
        {LR"(V.exe C:\My Mirror\www.example.com\a.html)",
         {L"V.exe", LR"(C:\My)", LR"(Mirror\www.example.com\a.html)"}},
    });
}

TEST_CASE("an unterminated quote runs to the end of the line") {
    CheckCases({
        {LR"(V.exe "C:\My Mirror\a.html)", {L"V.exe", LR"(C:\My Mirror\a.html)"}},
        {LR"(V.exe a "b  c  )", {L"V.exe", L"a", L"b  c  "}},
    });
}

TEST_CASE("empty quote pairs before an argument are skipped") {
    CheckCases({
        {LR"(V.exe "" a)", {L"V.exe", L"a"}},
        {LR"(V.exe """" a)", {L"V.exe", L"a"}},
        {LR"(V.exe "" "" a "" b)", {L"V.exe", L"a", L"b"}},
        {LR"(V.exe ""a)", {L"V.exe", L"a"}},
        {LR"(V.exe a "")", {L"V.exe", L"a"}},
        {LR"(V.exe "" )", {L"V.exe"}},
        // A quoted blank is not empty: it is an argument of its own.
        {LR"(V.exe " ")", {L"V.exe", L" "}},
    });
}

TEST_CASE("backslash is an ordinary character, not an escape") {
    CheckCases({
        {LR"(V.exe "C:\dir\\" x)", {L"V.exe", LR"(C:\dir\\)", L"x"}},
        {LR"(V.exe a\"b c\")", {L"V.exe", LR"(a\b c\)"}},
    });
}

TEST_CASE("every character from 1 to 32 separates arguments") {
    for (wchar_t c = 1; c <= 32; ++c) {
        std::wstring line = L"V.exe";
        line += c;
        line += L"a";
        line += c;
        line += c;
        line += L"b";
        CAPTURE(static_cast<int>(c));
        CHECK(SplitCommandLine(line) == Args{L"V.exe", L"a", L"b"});
    }
    // Character 33 ("!") and above do not; character 0 ends the line.
    CHECK(SplitCommandLine(L"V.exe a!b") == Args{L"V.exe", L"a!b"});
    CHECK(SplitCommandLine(std::wstring_view(L"V.exe a\0b c", 11)) == Args{L"V.exe", L"a"});
    // The line is read to its end and no further.
    CHECK(SplitCommandLine(std::wstring_view(L"V.exe a bc").substr(0, 8)) == Args{L"V.exe", L"a"});
}

TEST_CASE("the program path is the first piece, quoted or not") {
    CheckCases({
        {LR"("C:\Program Files\Velmora\Velmora.exe" x)", {LR"(C:\Program Files\Velmora\Velmora.exe)", L"x"}},
        {LR"(C:\Tools\Velmora.exe)", {LR"(C:\Tools\Velmora.exe)"}},
        {LR"(   C:\Tools\Velmora.exe   )", {LR"(C:\Tools\Velmora.exe)"}},
        {L"", {L""}},
    });
}
