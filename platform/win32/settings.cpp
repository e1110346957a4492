// The settings file's Windows calls: the roaming folder, the profile reader, the placement,
// the work area, folders, reading the file and publishing it in one step.
#include "platform/settings.h"

#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace platform {

using win32::ToSystemTime;

namespace {

std::wstring CannotCreate(const std::wstring& path, DWORD error) {
    return L"Cannot create file \"" + path + L"\". " + win32::SystemErrorText(error);
}

// Writes the whole of `bytes` to a new file; on any failure the partial file goes again.
void WriteNewFile(const std::wstring& path, const std::string& bytes) {
    win32::unique_hfile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw Error(CannotCreate(path, ::GetLastError()));
    DWORD written = 0;
    const bool complete =
        ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && ::FlushFileBuffers(file.get());
    file.reset();
    if (!complete) {
        ::DeleteFileW(path.c_str());
        throw Error(L"Stream write error");
    }
}

}  // namespace

FolderPathResult SHGetFolderPathW(WindowHandle owner, int csidl, std::uintptr_t token, std::uint32_t flags) {
    wchar_t buffer[MAX_PATH + 1] = {};
    const HRESULT result =
        ::SHGetFolderPathW(win32::ToHwnd(owner), csidl, reinterpret_cast<HANDLE>(token), flags, buffer);
    return {static_cast<std::int32_t>(result), buffer};
}

std::wstring GetPrivateProfileStringW(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& defaultValue, std::uint32_t bufferChars,
                                      const std::wstring& fileName) {
    std::vector<wchar_t> buffer(bufferChars, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                    buffer.data(), bufferChars, fileName.c_str());
    return std::wstring(buffer.data(), length);
}

bool GetWindowPlacement(WindowHandle window, WindowPlacement& placement) {
    WINDOWPLACEMENT native{};
    native.length = placement.length;
    if (!::GetWindowPlacement(win32::ToHwnd(window), &native)) return false;
    placement = {native.length,
                 native.flags,
                 native.showCmd,
                 {native.ptMinPosition.x, native.ptMinPosition.y},
                 {native.ptMaxPosition.x, native.ptMaxPosition.y},
                 {native.rcNormalPosition.left, native.rcNormalPosition.top, native.rcNormalPosition.right,
                  native.rcNormalPosition.bottom}};
    return true;
}

bool SetWindowPlacement(WindowHandle window, const WindowPlacement& placement) {
    WINDOWPLACEMENT native{};
    native.length = placement.length;
    native.flags = placement.flags;
    native.showCmd = placement.showCmd;
    native.ptMinPosition = {placement.minPosition.x, placement.minPosition.y};
    native.ptMaxPosition = {placement.maxPosition.x, placement.maxPosition.y};
    native.rcNormalPosition = {placement.normalPosition.left, placement.normalPosition.top,
                               placement.normalPosition.right, placement.normalPosition.bottom};
    return ::SetWindowPlacement(win32::ToHwnd(window), &native) != FALSE;
}

bool SystemParametersInfoWorkArea(Rect& workArea) {
    RECT area{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return false;
    workArea = {area.left, area.top, area.right, area.bottom};
    return true;
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectoryW(const std::wstring& path) { return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE; }

std::string ReadFileBytes(const std::wstring& path) {
    win32::unique_hfile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw Error(L"Cannot open file \"" + path + L"\". " + win32::SystemErrorText(::GetLastError()));
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    for (;;) {
        if (!::ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr)) throw Error(L"Stream read error");
        if (read == 0) return bytes;
        bytes.append(chunk, read);
    }
}

void PublishFile(const std::wstring& path, const std::string& bytes) {
    // Beside the target, so that the move is a rename on the same volume.
    const std::wstring temporary = path + L".new";
    WriteNewFile(temporary, bytes);
    if (!::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        ::DeleteFileW(temporary.c_str());
        throw Error(CannotCreate(path, error));
    }
}

std::uint32_t GetACP() { return ::GetACP(); }

std::string WideCharToMultiByte(std::uint32_t codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                           0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                          nullptr, nullptr);
    return bytes;
}

std::wstring MultiByteToWideChar(std::uint32_t codePage, const std::string& bytes) {
    if (bytes.empty()) return {};
    const int size =
        ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

std::wstring GetDateFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time) {
    const SYSTEMTIME converted = ToSystemTime(time);
    wchar_t buffer[256] = {};
    const int length = ::GetDateFormatW(locale, flags, &converted, nullptr, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : L"";
}

std::wstring GetTimeFormatW(std::uint32_t locale, std::uint32_t flags, const SystemTime& time) {
    const SYSTEMTIME converted = ToSystemTime(time);
    wchar_t buffer[256] = {};
    const int length = ::GetTimeFormatW(locale, flags, &converted, nullptr, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : L"";
}

}  // namespace platform
