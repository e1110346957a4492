#include "app/application.h"

namespace {

bool IsSeparator(wchar_t c) { return c >= 1 && c <= 32; }

// Reads one argument starting at `pos`; returns the position after it.
std::size_t ReadArgument(std::wstring_view line, std::size_t pos, std::wstring& argument) {
    for (;;) {
        while (pos < line.size() && IsSeparator(line[pos])) ++pos;
        if (pos + 1 < line.size() && line[pos] == L'"' && line[pos + 1] == L'"')
            pos += 2;
        else
            break;
    }
    argument.clear();
    bool quoted = false;
    while (pos < line.size() && line[pos] != L'\0' && (quoted || !IsSeparator(line[pos]))) {
        if (line[pos] == L'"')
            quoted = !quoted;
        else
            argument += line[pos];
        ++pos;
    }
    return pos;
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine) {
    std::vector<std::wstring> arguments;
    std::wstring argument;
    std::size_t pos = ReadArgument(commandLine, 0, argument);
    arguments.push_back(argument);  // the program's own path, counted or not
    for (;;) {
        pos = ReadArgument(commandLine, pos, argument);
        if (argument.empty()) break;
        arguments.push_back(argument);
    }
    return arguments;
}
