// The shell-link objects need COM on the test thread, as the program has it from start-up.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>

#include "platform/win32/win32.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) arguments.emplace_back(argv[i], argv[i] + wcslen(argv[i]));
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());

    ::CoInitialize(nullptr);
    doctest::Context context(static_cast<int>(pointers.size()), pointers.data());
    const int result = context.run();
    ::CoUninitialize();
    return result;
}
