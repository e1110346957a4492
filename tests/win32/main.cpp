// The shell-link objects need COM on the test thread, as the program has it from start-up.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>

#include "platform/win32/win32.h"

namespace {

// A real TForm1 reads the process command line as the user's file argument. The runner's own
// options (--test-case=..., --test-suite=...) must not start it in command-line mode, so the
// line is cut after the program's path once doctest has its copy.
void HideRunnerOptionsFromTheProgram() {
    wchar_t* line = ::GetCommandLineW();
    wchar_t* end = line;
    if (*end == L'"') {
        ++end;
        while (*end && *end != L'"') ++end;
        if (*end) ++end;
    } else {
        while (*end > L' ') ++end;
    }
    *end = L'\0';
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i], argv[i] + wcslen(argv[i]));
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    HideRunnerOptionsFromTheProgram();

    ::CoInitialize(nullptr);
    doctest::Context context(static_cast<int>(pointers.size()), pointers.data());
    const int result = context.run();
    ::CoUninitialize();
    return result;
}
