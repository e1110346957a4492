// SplitCommandLine against the splitting rule written out afresh. Input: the command line as
// UTF-16LE units.
#include <algorithm>
#include <vector>

#include "app/application.h"
#include "input.h"

namespace {

bool Separates(wchar_t c) { return c >= 1 && c <= 32; }

// Codes 1-32 separate; before an argument, separators and empty "" pairs are skipped; a quote
// opens a stretch that runs to the next quote or the end; quotes go, backslash is ordinary; the
// first empty argument ends the list, though the program's path is always kept. NUL ends it all.
std::vector<std::wstring> Reference(std::wstring_view line) {
    line = line.substr(0, line.find(L'\0'));
    std::vector<std::wstring> arguments;
    std::size_t i = 0;
    for (;;) {
        while (i < line.size() && (Separates(line[i]) || line.substr(i, 2) == L"\"\""))
            i += Separates(line[i]) ? 1 : 2;
        std::wstring argument;
        for (bool quoted = false; i < line.size() && (quoted || !Separates(line[i])); ++i) {
            if (line[i] == L'"')
                quoted = !quoted;
            else
                argument += line[i];
        }
        if (argument.empty() && !arguments.empty()) return arguments;
        arguments.push_back(argument);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::wstring line = input.RestText();
    const std::vector<std::wstring> arguments = SplitCommandLine(line);

    CHECK(!arguments.empty());
    const bool quoteGiven = line.find(L'"') != std::wstring::npos;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        CHECK(i == 0 || !argument.empty());
        CHECK(argument.find_first_of(std::wstring_view(L"\"\0", 2)) == std::wstring::npos);
        CHECK(quoteGiven || std::none_of(argument.begin(), argument.end(), Separates));
    }
    CHECK(arguments == Reference(line));
    CHECK(arguments == SplitCommandLine(line.substr(0, line.find(L'\0'))));

    // Quoting every argument and joining them with spaces reads back the same list, unless an
    // empty program path, written as "", is taken for a skipped pair.
    if (!arguments[0].empty()) {
        std::wstring joined;
        for (const std::wstring& argument : arguments) joined += L"\"" + argument + L"\" ";
        CHECK(SplitCommandLine(joined) == arguments);
    }
    return 0;
}
