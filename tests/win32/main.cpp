// The shell-link objects need COM on the test thread, as the program has it from start-up.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>

#include <cstdio>
#include <cstdlib>

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

// A pass run as a Japanese or a high-DPI machine is only worth its name if Wine really started
// that way: a missing locale falls back to code page 1252 without a word, a prefix made before
// its LogPixels was set stays at 96 DPI. So the pass states what it expects and every test of
// it fails when the machine is another.
bool MachineIsAsExpected() {
    bool expected = true;
    const auto check = [&](const char* variable, unsigned actual, const char* what) {
        const char* wanted = std::getenv(variable);
        if (!wanted || std::strtoul(wanted, nullptr, 10) == actual) return;
        std::fprintf(stderr, "this pass expects %s %s, the machine has %u\n", what, wanted, actual);
        expected = false;
    };
    check("VELMORA_EXPECT_ACP", ::GetACP(), "code page");
    check("VELMORA_LOGPIXELS", ::GetDpiForSystem(), "DPI");
    return expected;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i], argv[i] + wcslen(argv[i]));
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    HideRunnerOptionsFromTheProgram();

    if (!MachineIsAsExpected()) return 1;
    ::CoInitialize(nullptr);
    doctest::Context context(static_cast<int>(pointers.size()), pointers.data());
    const int result = context.run();
    ::CoUninitialize();
    return result;
}
