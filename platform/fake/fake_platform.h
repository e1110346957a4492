#pragma once
// The in-memory platform that core tests link instead of platform/win32. One State, reset by
// every test, records each call and answers from what the test scripted.

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock_locale.h"
#include "platform/dialogs.h"
#include "platform/fake/fake_download.h"
#include "platform/fake/fake_info.h"
#include "platform/fake/fake_main_window.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace fake {

// Windows paths compare without regard to letter case.
struct PathLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
};

struct ShellExecuteCall {
    platform::WindowHandle owner = 0;
    std::optional<std::wstring> verb;
    std::wstring file;
    std::optional<std::wstring> parameters;
    std::optional<std::wstring> directory;
    platform::ShowCommand show = platform::ShowCommand::Hide;
};

struct BoxCall {
    enum class Kind { TaskDialog, MessageBox } kind = Kind::MessageBox;
    platform::WindowHandle owner = 0;
    std::wstring caption;
    std::wstring text;
    std::uint32_t flags = 0;  // TDF_* for a task dialog, MB_* for a message box
};

struct Window {
    // What the program handed to CreateMainWindow: its answer to the window's messages.
    platform::WindowEvents* events = nullptr;
    int width96 = 0;
    int height96 = 0;
    std::vector<std::wstring> pages;
    std::wstring caption;
    int activePage = -1;
    bool visible = false;
    bool destroyed = false;
    bool acceptsDrops = false;
    std::vector<platform::ShowCommand> shows;
    // Controls by id; a control not listed is enabled and unchecked.
    std::map<int, bool> enabled;
    std::map<int, bool> checked;
};

struct FileEntry {
    bool directory = false;
    std::string bytes;
    std::optional<std::wstring> shortcutTarget;  // set: the file is a valid shell link
};

struct State {
    // The name of every platform call, in the order made.
    std::vector<std::string> calls;

    std::wstring commandLine = LR"("C:\Tools\Velmora.exe")";
    std::wstring moduleFileName = LR"(C:\Tools\Velmora.exe)";
    bool performanceCounterAvailable = true;
    std::int64_t performanceCounter = 123456789;
    std::uint32_t tickCount = 1000;
    bool coInitializeSucceeds = true;
    int coUninitializeCount = 0;
    std::uint32_t threadLocale = 0x0411;
    platform::ShowCommand startupShowCommand = platform::ShowCommand::ShowDefault;
    std::optional<int> quitPosted;

    std::vector<ShellExecuteCall> shellExecutes;

    bool taskDialogAvailable = true;
    std::vector<BoxCall> boxes;
    // Button ids for the next boxes, in order; an empty queue answers with the first button.
    std::deque<int> boxAnswers;

    std::map<platform::WindowHandle, Window> windows;
    platform::WindowHandle nextWindow = 0x10010;
    // Makes CreateMainWindow fail with this error text.
    std::optional<std::wstring> createWindowError;

    std::map<std::wstring, FileEntry, PathLess> files;
    // Short (8.3) spellings of existing paths and the long form each stands for.
    std::map<std::wstring, std::wstring, PathLess> longNames;
    // Makes creating a shell-link object fail, as when the shell cannot provide it.
    bool shellLinkUnavailable = false;
    std::vector<std::wstring> shellLinkLoads;
    std::vector<std::uint32_t> shellLinkResolveFlags;

    // Special folders the shell can resolve, by CSIDL.
    std::map<int, std::wstring> specialFolders;
    std::vector<platform::WindowHandle> specialFolderOwners;
    int itemIdListsAlive = 0;

    // Locale and flags of every LCMapStringW call.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> lcmapCalls;
    InfoState info;
    Download download;
    MainWindowMachine mainWindow;
};

State& Platform();
// Forgets everything: a fresh machine for the next test.
void Reset();

Window& TheWindow(platform::WindowHandle handle);

// Records a platform call by name, in order.
void Log(const char* name);

// Text as the fake disk holds it: UTF-8 and UTF-16 (either order) after their marks, anything
// else in the given code page (65001, or Latin-1 standing in for every single-byte one).
std::wstring DecodeFileText(const std::string& bytes, std::uint32_t codePage);
std::string EncodeUtf8(const std::wstring& text);
// A nullable wide-string argument as the fake keeps it.
std::optional<std::wstring> Optional(const wchar_t* text);

}  // namespace fake
