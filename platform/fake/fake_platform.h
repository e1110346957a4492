#pragma once
// The in-memory platform that core tests link instead of platform/win32. One State, reset by
// every test, records each call and answers from what the test scripted.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock_locale.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/internet.h"
#include "platform/process.h"
#include "platform/resources.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace fake {

// ---- Drops, dialogs, WinINet, target files and the pump --------------------------------------

struct Drop {
    std::vector<std::wstring> paths;
    int finishes = 0;
};

struct DragQuery {
    std::uint32_t index = 0;
    bool withBuffer = false;
    std::uint32_t bufferChars = 0;
};

struct InternetOpenCall {
    bool agentGiven = false;
    std::uint32_t accessType = 0;
    bool proxyGiven = false;
    bool bypassGiven = false;
    std::uint32_t flags = 0;
};

struct OpenUrlCall {
    platform::InternetHandle internet = 0;
    std::wstring url;
    bool headersGiven = false;
    std::uint32_t headersLength = 0;
    std::uint32_t flags = 0;
    std::uintptr_t context = 0;
};

// One read as the server side delivers it: some bytes, or a failing read.
struct Piece {
    bool fails = false;
    std::string bytes;
};

// What a URL answers. After the last piece every read succeeds with 0 bytes.
struct Server {
    std::uint32_t status = 200;
    std::vector<Piece> pieces;
    std::optional<std::uint64_t> contentLength;  // the length the answer announces, if any
};

struct Download {
    std::map<platform::DropHandle, Drop> drops;
    std::vector<DragQuery> dragQueries;
    std::vector<platform::QueuedMessage> sentMessages;
    int restores = 0;

    std::vector<platform::FileDialogConfig> openDialogs;
    std::vector<platform::FileDialogConfig> saveDialogs;
    // Answers of the next dialogs, in order; nothing (or an empty queue) is Cancel.
    std::deque<std::optional<std::wstring>> openDialogAnswers;
    std::deque<std::optional<std::wstring>> saveDialogAnswers;

    bool internetOpenFails = false;
    std::vector<InternetOpenCall> internetOpens;
    std::vector<OpenUrlCall> urlOpens;
    // Reachable URLs; any other URL cannot be opened.
    std::map<std::wstring, Server> servers;
    std::vector<std::uint32_t> readSizes;
    int internetHandlesAlive = 0;
    struct Request {
        Server server;
        std::size_t piece = 0;
        std::size_t offset = 0;
    };
    std::map<platform::InternetHandle, Request> requests;

    // CreateFileW on one of these paths (spelled exactly) fails with the given error.
    std::map<std::wstring, std::uint32_t> createErrors;
    // The write with this number (counted from 0 over the whole test) fails.
    std::optional<int> failingWrite;
    int writes = 0;
    // FlushFileBuffers fails, as on a volume that filled up.
    bool flushFails = false;
    int fileHandlesAlive = 0;
    std::map<platform::FileHandle, std::wstring> openFiles;  // the path each handle writes to
    struct Move {
        std::wstring from;
        std::wstring to;
        std::uint32_t flags = 0;
    };
    std::vector<Move> moves;
    std::vector<Move> replaces;  // ReplaceFileW: `from` the replacement, `to` the replaced file
    // What the next ReplaceFileW and MoveFileExW calls answer before the disk is asked, as when
    // another program holds the file for a moment; 0 lets the call go ahead.
    std::deque<std::uint32_t> replaceErrors;
    std::deque<std::uint32_t> moveErrors;
    // A system without long paths: a path of this many characters or more cannot be opened,
    // moved or replaced (ERROR_PATH_NOT_FOUND).
    std::optional<std::size_t> maxPath;

    int beeps = 0;
    int pumps = 0;
    int sleeps = 0;
    std::vector<std::uint32_t> sleepMilliseconds;
    // Run inside the pump with that number (counted from 1), as messages that were waiting.
    std::map<int, std::function<void()>> onPump;
};

// ---- The shortcut buttons and the Help page: deletions, the properties sheet, version
// resources, a settable clock and time zone, locale names, the screen and the About dialog --

struct ShellExecuteExCall {
    std::uint32_t mask = 0;
    platform::WindowHandle window = 0;
    std::optional<std::wstring> verb;
    std::optional<std::wstring> file;
    std::optional<std::wstring> parameters;
    std::optional<std::wstring> directory;
};

struct GradientFillCall {
    platform::PaintSurface surface = 0;
    platform::TriVertex topLeft;
    platform::TriVertex bottomRight;
    std::uint32_t mode = 0;
};

struct InformationDialog {
    platform::WindowHandle owner = 0;
    std::wstring caption;
    std::wstring text;
    platform::PaintHandler onPaint = nullptr;
};

struct InfoState {
    // Files that DeleteFileW refuses, as when another program holds them open.
    std::vector<std::wstring> lockedFiles;
    std::vector<std::wstring> deletions;
    // What IPersistFile::Save returns; anything but 0 leaves the file unwritten.
    std::int32_t shellLinkSaveResult = 0;
    std::vector<bool> shellLinkSaveRemember;

    std::vector<ShellExecuteExCall> shellExecuteExes;

    // Version resources by file; a file not listed has none.
    std::map<std::wstring, platform::FixedFileInfo> versionResources;
    // Makes VerQueryValueW fail on the root block although the resource is there.
    bool rootBlockUnreadable = false;

    platform::SystemTime localTime{2024, 1, 2, 15, 4, 5, 6};
    // The machine's time zone: its standard and daylight offsets from UTC in seconds, and which
    // of them holds at a moment given in UTC. Kyiv's winter time unless a test sets another zone.
    std::int32_t standardOffset = 2 * 3600;
    std::int32_t daylightOffset = 2 * 3600;
    std::function<std::int32_t(const platform::SystemTime& utc)> offsetAtUtc =
        [](const platform::SystemTime&) { return 2 * 3600; };
    std::vector<platform::SystemTime> localToUtcQueries;

    // Locale items by locale and LCTYPE; a locale is installed when it has any.
    std::map<std::uint32_t, std::map<std::uint32_t, std::wstring>> localeItems;

    int screenWidth = 1280;
    int screenHeight = 1024;

    std::map<platform::WindowHandle, platform::Rect> clientRects;
    std::vector<GradientFillCall> gradientFills;
    std::vector<InformationDialog> informationDialogs;
};

// ---- The main window's layout and what the settings file needs from Windows --------------

struct MainWindowMachine {
    std::optional<platform::WindowLayout> layout;
    int tabClientWidth = 272;
    std::vector<int> tabWidths;
    std::vector<std::uint32_t> postedMessages;

    // The placement GetWindowPlacement answers with, and every one applied.
    platform::WindowPlacement placement{44, 0, 1, {-1, -1}, {-1, -1}, {26, 26, 306, 306}};
    std::vector<platform::WindowPlacement> placementsSet;
    std::vector<std::uint32_t> placementLengthsAsked;
    platform::Rect workArea{0, 0, 1920, 1040};

    std::int32_t appDataResult = 0;
    std::wstring appData = LR"(C:\Users\u\AppData\Roaming)";
    // Folders CreateDirectoryW refuses to make (as a read-only parent would).
    std::vector<std::wstring> uncreatableFolders;
    // Makes reading the settings file fail with this text.
    std::optional<std::wstring> readError;
    std::vector<std::wstring> profileFilesRead;

    std::uint32_t codePage = 1252;
};

// ---- The machine -------------------------------------------------------------------------------

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
    bool readOnly = false;                       // FILE_ATTRIBUTE_READONLY: no writing, no replacing
    std::uint32_t attributes = 0;                // hidden, system, archive, not content indexed
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
    std::function<void()> duringMessageLoop;  // run by RunMessageLoop, as the messages would be
    std::wstring windowsDirectory = LR"(C:\Windows)";
    std::vector<std::uint32_t> defaultDllDirectories;  // every SetDefaultDllDirectories call

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
    std::vector<platform::WindowHandle> shellLinkResolveOwners;

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
// A nullable wide-string argument as the fake keeps it.
std::optional<std::wstring> Optional(const wchar_t* text);

}  // namespace fake
