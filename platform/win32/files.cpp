// The target file, its temporary sibling, and the small system services the downloader and
// Save As use: the clock, the beep, the yield.
#include "platform/win32/win32.h"

namespace platform {

static_assert(kGenericRead == GENERIC_READ && kGenericWrite == GENERIC_WRITE);
static_assert(kCreateNew == CREATE_NEW && kOpenExisting == OPEN_EXISTING);
static_assert(kFileAttributeNormal == FILE_ATTRIBUTE_NORMAL);
static_assert(kMoveFileReplaceExisting == MOVEFILE_REPLACE_EXISTING &&
              kMoveFileWriteThrough == MOVEFILE_WRITE_THROUGH);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND && kErrorFileExists == ERROR_FILE_EXISTS);

CreatedFile CreateFileW(const std::wstring& path, std::uint32_t access, std::uint32_t shareMode,
                        std::uint32_t disposition, std::uint32_t flagsAndAttributes) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), access, shareMode, nullptr, disposition, flagsAndAttributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {0, ::GetLastError()};
    return {reinterpret_cast<FileHandle>(file), 0};
}

bool WriteFile(FileHandle file, const void* data, std::uint32_t size, std::uint32_t& error) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(reinterpret_cast<HANDLE>(file), bytes, size, &written, nullptr) || written == 0) {
            error = ::GetLastError();
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

void CloseHandle(FileHandle file) { ::CloseHandle(reinterpret_cast<HANDLE>(file)); }

std::uint32_t MoveFileExW(const std::wstring& from, const std::wstring& to, std::uint32_t flags) {
    return ::MoveFileExW(from.c_str(), to.c_str(), flags) ? 0 : ::GetLastError();
}

std::wstring SystemErrorText(std::uint32_t code) { return win32::SystemErrorText(code); }

void MessageBeep(std::uint32_t type) { ::MessageBeep(type); }

void Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace platform
