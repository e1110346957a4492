#pragma once
// Process start-up: the application object's state and the start-up sequence.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The application title: the caption of every box and of the main window.
extern std::wstring ApplicationTitle;
// The thread locale the program started with; the shortcut rule lower-cases by it.
extern std::uint32_t StartupLocale;

// The process command line cut into arguments by the program's own rule (not the C runtime's,
// not CommandLineToArgvW's): characters 1-32 separate, a double quote opens a stretch that
// runs to the next one, quotes are dropped, backslash is ordinary, an empty "" pair before an
// argument is skipped. The first element is the program's own path; the list ends at the
// first empty argument.
std::vector<std::wstring> SplitCommandLine(std::wstring_view commandLine);

// The whole life of the process: COM, the main window, the message loop. Returns the exit code.
int RunApplication();
