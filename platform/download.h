#pragma once
// Taking files in and fetching them again: drops, the open and save dialogs, WinINet, the
// target file and its temporary sibling, the clock, the message pump. Included from the end
// of platform.h; the same rules hold: one Windows operation per function, no Windows type.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// ---- Drops ---------------------------------------------------------------------------------

constexpr std::uint32_t kDragQueryCount = 0xFFFFFFFF;

// As the Windows call: with kDragQueryCount the number of dropped paths; with an index and no
// buffer the path's length without NUL; with a buffer of bufferChars the path, cut to fit and
// NUL-terminated, and the number of characters copied.
std::uint32_t DragQueryFileW(DropHandle drop, std::uint32_t index, std::wstring* buffer,
                             std::uint32_t bufferChars);
void DragFinish(DropHandle drop);

// Sends a message and returns once the target window's procedure has handled it.
std::intptr_t SendMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam);
// Brings the application's windows back from the minimized state; nothing otherwise.
void RestoreApplication(WindowHandle mainWindow);

// ---- Open and save dialogs (IFileOpenDialog / IFileSaveDialog) ------------------------------

constexpr std::uint32_t kFosPathMustExist = 0x800;
constexpr std::uint32_t kFosFileMustExist = 0x1000;

struct FileType {
    std::wstring name;
    std::wstring mask;
};

struct FileDialogConfig {
    WindowHandle owner = 0;
    std::wstring folder;        // SetFolder when the shell can open it; empty: the platform chooses
    std::wstring fileName;      // SetFileName
    std::uint32_t options = 0;  // SetOptions: replaces the dialog's own defaults
    std::vector<FileType> fileTypes;
    std::uint32_t fileTypeIndex = 1;  // one-based, as SetFileTypeIndex
};

// The chosen item's file-system path, or nothing when the user cancelled.
std::optional<std::wstring> ShowOpenDialog(const FileDialogConfig& config);
std::optional<std::wstring> ShowSaveDialog(const FileDialogConfig& config);

// ---- WinINet -------------------------------------------------------------------------------

// An HINTERNET; 0 when the call failed. Released with InternetCloseHandle.
using InternetHandle = std::uintptr_t;

constexpr std::uint32_t kInternetOpenTypePreconfig = 0;
constexpr std::uint32_t kInternetFlagReload = 0x80000000;
constexpr std::uint32_t kInternetFlagIgnoreRedirectToHttps = 0x00004000;

InternetHandle InternetOpenW(const wchar_t* agent, std::uint32_t accessType, const wchar_t* proxy,
                             const wchar_t* proxyBypass, std::uint32_t flags);
InternetHandle InternetOpenUrlW(InternetHandle internet, const std::wstring& url, const wchar_t* headers,
                                std::uint32_t headersLength, std::uint32_t flags, std::uintptr_t context);
// HttpQueryInfoW with HTTP_QUERY_STATUS_CODE as a number; 0 when the answer carries none.
std::uint32_t HttpQueryStatusCode(InternetHandle request);
// HttpQueryInfoW with HTTP_QUERY_CONTENT_LENGTH as a number; nothing when the answer has none.
std::optional<std::uint64_t> HttpQueryContentLength(InternetHandle request);
// False when the read failed; `count` receives the bytes delivered (0 at the end of the body).
bool InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& count);
void InternetCloseHandle(InternetHandle handle);

// ---- Files ---------------------------------------------------------------------------------

// A file HANDLE; 0 when CreateFileW failed.
using FileHandle = std::uintptr_t;

constexpr std::uint32_t kGenericRead = 0x80000000;
constexpr std::uint32_t kGenericWrite = 0x40000000;
constexpr std::uint32_t kCreateNew = 1;
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::uint32_t kFileAttributeNormal = 0x80;
constexpr std::uint32_t kMoveFileReplaceExisting = 0x1;
constexpr std::uint32_t kMoveFileWriteThrough = 0x8;

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorFileExists = 80;

struct CreatedFile {
    FileHandle handle = 0;
    std::uint32_t error = 0;  // GetLastError when handle is 0
};
CreatedFile CreateFileW(const std::wstring& path, std::uint32_t access, std::uint32_t shareMode,
                        std::uint32_t disposition, std::uint32_t flagsAndAttributes);
// False with `error` set when not every byte was written.
bool WriteFile(FileHandle file, const void* data, std::uint32_t size, std::uint32_t& error);
void CloseHandle(FileHandle file);
// 0 on success, otherwise GetLastError.
std::uint32_t MoveFileExW(const std::wstring& from, const std::wstring& to, std::uint32_t flags);
// The system's description of an error code, without a trailing full stop.
std::wstring SystemErrorText(std::uint32_t code);

// ---- Sound and thread (the clock is GetLocalTime beside the time zone) ---------------------

constexpr std::uint32_t kMbOkBeep = 0x0;
void MessageBeep(std::uint32_t type);

void Sleep(std::uint32_t milliseconds);

// Dispatches every message waiting for the thread's windows, each offered to TForm1::AppMessage
// first as in the main loop. A WM_QUIT taken here is posted again for the main loop.
void ProcessMessages();

}  // namespace platform
