// The process and its thread, and the system's words for an error.
#include "platform/process.h"

#include <vector>

#include "platform/win32/win32.h"

namespace platform {

static_assert(kLoadLibrarySearchSystem32 == LOAD_LIBRARY_SEARCH_SYSTEM32);

namespace win32 {

std::wstring SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    if (buffer) ::LocalFree(buffer);
    // The full stop goes in either script ("." or the ideographic "。" of a Japanese system):
    // the error box puts one back, and "。." would read as a stray dot.
    while (!text.empty() && (text.back() <= L' ' || text.back() == L'.' || text.back() == L'\u3002'))
        text.pop_back();
    if (text.empty()) text = L"System error " + std::to_wstring(code);
    return text;
}

void ThrowIfFailed(HRESULT result) {
    if (FAILED(result)) throw Error(SystemErrorText(static_cast<DWORD>(result)));
}

}  // namespace win32

std::wstring GetCommandLineW() { return ::GetCommandLineW(); }

std::wstring GetModuleFileNameW() {
    // The buffer grows until the whole path fits: long-path-aware systems allow more than 260.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

void PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

bool QueryPerformanceCounter(std::int64_t& counter) {
    LARGE_INTEGER value{};
    const bool available = ::QueryPerformanceCounter(&value) != 0;
    counter = value.QuadPart;
    return available;
}

std::uint32_t GetTickCount() { return ::GetTickCount(); }

bool CoInitialize() { return SUCCEEDED(::CoInitialize(nullptr)); }

void CoUninitialize() { ::CoUninitialize(); }

ShowCommand GetStartupShowCommand() {
    STARTUPINFOW info{};
    info.cb = sizeof info;
    ::GetStartupInfoW(&info);
    if (info.dwFlags & STARTF_USESHOWWINDOW) return static_cast<ShowCommand>(info.wShowWindow);
    return ShowCommand::ShowDefault;
}

void MessageBeep(std::uint32_t type) { ::MessageBeep(type); }

void Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

std::wstring GetWindowsDirectoryW() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring(L"C:\\Windows");
}

bool SetDefaultDllDirectories(std::uint32_t directoryFlags) {
    // Looked up: a system without it (before the 2011 security update of Windows 7) still runs.
    using Function = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<Function>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    return setDefault && setDefault(directoryFlags);
}

}  // namespace platform
