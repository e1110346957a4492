#pragma once
// The operations of Windows that the program uses, one function per operation, with the same
// arguments in the same order as the Windows call and the results the program looks at.
// platform/win32 makes the real calls; platform/fake is the in-memory double the tests link.
// No Windows type crosses this line: handles are opaque numbers, text is std::wstring.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"

namespace platform {

// An HWND as the portable code sees it; 0 is "no window".
using WindowHandle = std::uintptr_t;
// The HDROP of a WM_DROPFILES message.
using DropHandle = std::uintptr_t;
// A PIDLIST_ABSOLUTE the shell allocated; released with CoTaskMemFree.
using ItemIdList = std::uintptr_t;

// One message as the message loop takes it from the queue (an MSG without time and point).
struct QueuedMessage {
    WindowHandle window = 0;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

constexpr std::uint32_t kWmDropFiles = 0x0233;

// The values of the Windows SW_* show commands the program passes or looks at.
enum class ShowCommand : int {
    Hide = 0,
    ShowNormal = 1,
    ShowMinimized = 2,
    ShowMaximized = 3,
    Show = 5,
    ShowMinNoActive = 7,
    ShowDefault = 10,
};

// ---- Process and COM -------------------------------------------------------------------

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
std::uint32_t GetThreadLocale();
// The show command the launcher put in the process's start-up information, or ShowDefault.
ShowCommand GetStartupShowCommand();

// ---- Windows shell -----------------------------------------------------------------------

// verb, parameters and directory may be null, as in the Windows call.
void ShellExecuteW(WindowHandle owner, const wchar_t* verb, const std::wstring& file,
                   const wchar_t* parameters, const wchar_t* directory, ShowCommand show);
void DragAcceptFiles(WindowHandle window, bool accept);

// Special folders (CSIDL values).
constexpr int kCsidlDesktop = 0;
constexpr int kCsidlPrograms = 2;
constexpr int kCsidlStartup = 7;
constexpr int kCsidlSendTo = 9;

// The result code is not returned: callers do not look at it. 0 when the shell found nothing.
ItemIdList SHGetSpecialFolderLocation(WindowHandle owner, int csidl);
// The buffer's text up to its first NUL (empty when the shell left it empty).
std::wstring SHGetPathFromIDListW(ItemIdList list, int bufferChars);
void CoTaskMemFree(ItemIdList list);

// ---- Shell links ---------------------------------------------------------------------------

constexpr std::uint32_t kStgmRead = 0;
constexpr std::uint32_t kSlrAnyMatch = 0x2;
constexpr std::uint32_t kSlgpUncPriority = 0x2;

// One CLSID_ShellLink object with its IShellLinkW and IPersistFile interfaces, released when
// the object goes. Creating it throws Error when the shell cannot provide the object.
// Methods return the HRESULT of the interface call they stand for.
class ShellLink {
public:
    ShellLink();
    ~ShellLink();
    ShellLink(const ShellLink&) = delete;
    ShellLink& operator=(const ShellLink&) = delete;

    std::int32_t Load(const std::wstring& path, std::uint32_t mode);
    std::int32_t Resolve(WindowHandle owner, std::uint32_t flags);
    // Passes a zeroed buffer of bufferChars + 1 characters, telling the shell it holds
    // bufferChars; `path` receives the buffer's text up to its first NUL.
    std::int32_t GetPath(std::wstring& path, int bufferChars, std::uint32_t flags);
    std::int32_t SetPath(const std::wstring& path);
    std::int32_t Save(const std::wstring& path, bool remember);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// ---- File system -------------------------------------------------------------------------

struct LongPathResult {
    std::uint32_t result = 0;  // what GetLongPathNameW returned
    std::wstring text;         // the buffer's text up to its first NUL
};
LongPathResult GetLongPathNameW(const std::wstring& path, std::uint32_t bufferChars);
// True only when a file, not a folder, exists at `path`.
bool FileExists(const std::wstring& path);

// ---- Locale --------------------------------------------------------------------------------

constexpr std::uint32_t kLocaleEnglishUs = 0x0409;
constexpr std::uint32_t kLcmapLowercase = 0x00000100;
constexpr std::uint32_t kLcmapLinguisticCasing = 0x01000000;

std::wstring LCMapStringW(std::uint32_t locale, std::uint32_t flags, const std::wstring& text);

// ---- Main window -----------------------------------------------------------------------------

// CreateMainWindow and the window's layout types: platform/main_window.h.
void SetActivePage(WindowHandle window, int page);
void DestroyWindow(WindowHandle window);
void SetWindowTextW(WindowHandle window, const std::wstring& text);
void ShowWindow(WindowHandle window, ShowCommand show);
bool IsWindowVisible(WindowHandle window);
void SetForegroundWindow(WindowHandle window);
// A child control of the window, found by its id (EnableWindow / CheckDlgButton).
void EnableControl(WindowHandle window, int controlId, bool enabled);
bool IsControlEnabled(WindowHandle window, int controlId);
void CheckControl(WindowHandle window, int controlId, bool checked);
bool IsControlChecked(WindowHandle window, int controlId);
// Runs the thread's message loop until WM_QUIT and returns the quit message's exit code.
// Every message taken from the queue is first offered to TForm1::AppMessage.
int RunMessageLoop();

// ---- Message boxes and task dialogs ---------------------------------------------------------

constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbYesNoCancel = 0x3;
constexpr std::uint32_t kMbYesNo = 0x4;
constexpr std::uint32_t kMbIconError = 0x10;
constexpr std::uint32_t kMbIconQuestion = 0x20;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

constexpr std::uint32_t kTdfAllowDialogCancellation = 0x0008;
constexpr std::uint32_t kTdfSizeToContent = 0x01000000;

int MessageBoxW(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                std::uint32_t type);

// False where comctl32 has no TaskDialogIndirect (no common controls 6).
bool TaskDialogAvailable();

// A task dialog with only the common OK button and no icon.
struct TaskDialogConfig {
    WindowHandle owner = 0;
    std::uint32_t flags = 0;  // TDF_* flags
    std::wstring caption;
    std::wstring content;
};
// Returns the id of the button that ended the dialog (kIdOk, or kIdCancel when cancelled).
int TaskDialogIndirect(const TaskDialogConfig& config);

}  // namespace platform

#include "platform/download.h"  // IWYU pragma: export
#include "platform/info.h"
#include "platform/main_window.h"
#include "platform/settings.h"
