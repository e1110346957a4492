// The baseline of the command-line benchmark: a program that does nothing but hand its first
// argument to the shell, as Velmora's command-line mode ends up doing.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (count > 1) ::ShellExecuteW(nullptr, L"open", arguments[1], nullptr, nullptr, SW_SHOWNORMAL);
    ::LocalFree(arguments);
    return 0;
}
