#pragma once
// What the settings file and the window placement need from Windows: the roaming folder, the
// profile-string reader, the placement and the work area, folders, whole-file reading and
// publishing, the ANSI code page and the user's date and time formats.

#include <cstdint>
#include <string>

#include "platform/info.h"
#include "platform/main_window.h"

namespace platform {

constexpr int kCsidlAppData = 26;
constexpr std::uint32_t kShgfpTypeCurrent = 0;

struct FolderPathResult {
    std::int32_t result = 0;  // the HRESULT
    std::wstring path;        // the buffer's text up to its first NUL
};
FolderPathResult SHGetFolderPathW(WindowHandle owner, int csidl, std::uintptr_t token, std::uint32_t flags);

// The text copied into a buffer of bufferChars characters (cut as Windows cuts it).
std::wstring GetPrivateProfileStringW(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& defaultValue, std::uint32_t bufferChars,
                                      const std::wstring& fileName);

// WINDOWPLACEMENT, field for field.
struct WindowPlacement {
    std::uint32_t length = 0;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = 0;
    Point minPosition;
    Point maxPosition;
    Rect normalPosition;
};
bool GetWindowPlacement(WindowHandle window, WindowPlacement& placement);
bool SetWindowPlacement(WindowHandle window, const WindowPlacement& placement);

// SystemParametersInfoW(SPI_GETWORKAREA): the primary monitor without the taskbar.
bool SystemParametersInfoWorkArea(Rect& workArea);

bool DirectoryExists(const std::wstring& path);
// One folder; its parent must exist. False when it cannot be made.
bool CreateDirectoryW(const std::wstring& path);

// The whole file; throws Error when it cannot be opened or read.
std::string ReadFileBytes(const std::wstring& path);
// Puts `bytes` at `path` in one step: written to a new file in the same folder first, then
// moved over the old one, so a failure leaves the old file as it was. Throws Error.
void PublishFile(const std::wstring& path, const std::string& bytes);

std::uint32_t GetACP();
// CP_ACP-style conversions with the code page's default character for what it lacks.
std::string WideCharToMultiByte(std::uint32_t codePage, const std::wstring& text);
std::wstring MultiByteToWideChar(std::uint32_t codePage, const std::string& bytes);

// Dates and times are the SystemTime of GetLocalTime (platform/info.h).
constexpr std::uint32_t kDateShortDate = 0x1;
// flags 0 gives the long time format.
std::wstring GetDateFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time);
std::wstring GetTimeFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time);

}  // namespace platform
