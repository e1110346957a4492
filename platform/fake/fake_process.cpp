// The fake process: its command line, module, COM, clocks and start-up information as a test
// set them.
#include "platform/fake/fake_platform.h"

namespace platform {

using fake::Log;
using fake::Platform;

std::wstring GetCommandLineW() {
    Log("GetCommandLineW");
    return Platform().commandLine;
}

std::wstring GetModuleFileNameW() {
    Log("GetModuleFileNameW");
    return Platform().moduleFileName;
}

void PostQuitMessage(int exitCode) {
    Log("PostQuitMessage");
    Platform().quitPosted = exitCode;
}

bool QueryPerformanceCounter(std::int64_t& counter) {
    Log("QueryPerformanceCounter");
    counter = Platform().performanceCounter;
    return Platform().performanceCounterAvailable;
}

std::uint32_t GetTickCount() {
    Log("GetTickCount");
    return Platform().tickCount;
}

bool CoInitialize() {
    Log("CoInitialize");
    return Platform().coInitializeSucceeds;
}

void CoUninitialize() {
    Log("CoUninitialize");
    ++Platform().coUninitializeCount;
}

ShowCommand GetStartupShowCommand() {
    Log("GetStartupShowCommand");
    return Platform().startupShowCommand;
}

void Sleep(std::uint32_t milliseconds) {
    Log("Sleep");
    ++Platform().download.sleeps;
    Platform().download.sleepMilliseconds.push_back(milliseconds);
}

std::wstring GetWindowsDirectoryW() {
    Log("GetWindowsDirectoryW");
    return Platform().windowsDirectory;
}

bool SetDefaultDllDirectories(std::uint32_t directoryFlags) {
    Log("SetDefaultDllDirectories");
    Platform().defaultDllDirectories.push_back(directoryFlags);
    return true;
}

void MessageBeep(std::uint32_t) {
    Log("MessageBeep");
    ++Platform().download.beeps;
}

}  // namespace platform
