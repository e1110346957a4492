// Browser stand-in: the shell starts it with the address it was asked to open; it appends that
// address, as one UTF-8 line, to the file named by VELMORA_RECORD.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "tool_text.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::wstring line;
    for (int i = 1; i < count; ++i) line += (i > 1 ? L" " : L"") + std::wstring(arguments[i]);
    ::LocalFree(arguments);

    wchar_t target[2048] = {};
    if (!::GetEnvironmentVariableW(L"VELMORA_RECORD", target, 2048)) return 2;
    const HANDLE file = ::CreateFileW(target, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    const std::string bytes = ToUtf8(line) + "\n";
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return 0;
}
