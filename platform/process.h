#pragma once
// The process and its thread: the command line, the executable, COM, the start-up show
// command, the clocks a seed comes from, the quit message, yielding and the beep.

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

std::wstring GetCommandLineW();
// Full path of the running executable (GetModuleFileNameW of the process's own module).
std::wstring GetModuleFileNameW();
void PostQuitMessage(int exitCode);
// False when the machine has no high-resolution counter.
bool QueryPerformanceCounter(std::int64_t& counter);
std::uint32_t GetTickCount();
// True when COM is initialised on this thread afterwards and CoUninitialize is owed.
bool CoInitialize();
void CoUninitialize();
// The show command the launcher put in the process's start-up information, or ShowDefault.
ShowCommand GetStartupShowCommand();

void Sleep(std::uint32_t milliseconds);

// The Windows folder (GetWindowsDirectoryW), without a trailing backslash unless it is a root.
std::wstring GetWindowsDirectoryW();

constexpr std::uint32_t kLoadLibrarySearchSystem32 = 0x00000800;
// SetDefaultDllDirectories for the process; false where the system lacks the call.
bool SetDefaultDllDirectories(std::uint32_t directoryFlags);

constexpr std::uint32_t kMbOkBeep = 0x0;
void MessageBeep(std::uint32_t type);

}  // namespace platform
