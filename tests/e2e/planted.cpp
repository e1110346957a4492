// A library that records being loaded: <its own path>.loaded appears beside it. Copied beside
// the exe under the names of system libraries, it shows whether the program would run a DLL
// that was left in its folder (the Downloads folder, where a download often runs from).
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH + 16] = {};
    const DWORD length = ::GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    ::lstrcatW(path, L".loaded");
    ::CloseHandle(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    return TRUE;
}
