// Files and folders: the target of a download and its temporary sibling, the settings file,
// existence tests, long names and the profile reader.
#include "platform/files.h"

#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace platform {

static_assert(kGenericRead == GENERIC_READ && kGenericWrite == GENERIC_WRITE);
static_assert(kCreateNew == CREATE_NEW && kOpenExisting == OPEN_EXISTING);
static_assert(kFileAttributeNormal == FILE_ATTRIBUTE_NORMAL);
static_assert(kMoveFileReplaceExisting == MOVEFILE_REPLACE_EXISTING &&
              kMoveFileWriteThrough == MOVEFILE_WRITE_THROUGH);
static_assert(kErrorFileNotFound == ERROR_FILE_NOT_FOUND && kErrorFileExists == ERROR_FILE_EXISTS);
static_assert(kFileAttributeReadonly == FILE_ATTRIBUTE_READONLY &&
              kInvalidFileAttributes == INVALID_FILE_ATTRIBUTES);
static_assert(kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(kReplaceFileIgnoreMergeErrors == REPLACEFILE_IGNORE_MERGE_ERRORS);
static_assert(kErrorSharingViolation == ERROR_SHARING_VIOLATION &&
              kErrorUnableToRemoveReplaced == ERROR_UNABLE_TO_REMOVE_REPLACED &&
              kErrorUnableToMoveReplacement == ERROR_UNABLE_TO_MOVE_REPLACEMENT);
static_assert(kFileAttributeHidden == FILE_ATTRIBUTE_HIDDEN &&
              kFileAttributeSystem == FILE_ATTRIBUTE_SYSTEM &&
              kFileAttributeArchive == FILE_ATTRIBUTE_ARCHIVE &&
              kFileAttributeNotContentIndexed == FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);

CreatedFile CreateFileW(const std::wstring& path, std::uint32_t access, std::uint32_t shareMode,
                        std::uint32_t disposition, std::uint32_t flagsAndAttributes) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), access, shareMode, nullptr, disposition, flagsAndAttributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {UniqueFile(), ::GetLastError()};
    return {UniqueFile(reinterpret_cast<FileHandle>(file)), 0};
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

bool FlushFileBuffers(FileHandle file) { return ::FlushFileBuffers(reinterpret_cast<HANDLE>(file)) != FALSE; }

void CloseHandle(FileHandle file) { ::CloseHandle(reinterpret_cast<HANDLE>(file)); }

std::uint32_t MoveFileExW(const std::wstring& from, const std::wstring& to, std::uint32_t flags) {
    return ::MoveFileExW(from.c_str(), to.c_str(), flags) ? 0 : ::GetLastError();
}

std::uint32_t ReplaceFileW(const std::wstring& replaced, const std::wstring& replacement,
                           std::uint32_t flags) {
    // Wine's ReplaceFileW moves a held target aside through a GetTempFileNameW file and leaves
    // that empty rf*.tmp behind when the move fails. Asking first for the access the replace
    // needs fails the same way (a sharing violation) without leaving anything; on Windows it
    // changes nothing.
    const HANDLE probe =
        ::CreateFileW(replaced.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_SHARING_VIOLATION)
        return ERROR_SHARING_VIOLATION;
    if (probe != INVALID_HANDLE_VALUE) ::CloseHandle(probe);
    return ::ReplaceFileW(replaced.c_str(), replacement.c_str(), nullptr, flags, nullptr, nullptr)
               ? 0
               : ::GetLastError();
}

bool DeleteFileW(const std::wstring& path) { return ::DeleteFileW(path.c_str()) != 0; }

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

std::uint32_t GetFileAttributesW(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()); }

bool FileExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateDirectoryW(const std::wstring& path) { return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE; }

LongPathResult GetLongPathNameW(const std::wstring& path, std::uint32_t bufferChars) {
    std::vector<wchar_t> buffer(bufferChars, L'\0');
    LongPathResult found;
    found.result = ::GetLongPathNameW(path.c_str(), buffer.data(), bufferChars);
    if (found.result > 0 && found.result < bufferChars) found.text = buffer.data();
    return found;
}

std::wstring GetPrivateProfileStringW(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& defaultValue, std::uint32_t bufferChars,
                                      const std::wstring& fileName) {
    std::vector<wchar_t> buffer(bufferChars, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                    buffer.data(), bufferChars, fileName.c_str());
    return std::wstring(buffer.data(), length);
}

std::wstring SystemErrorText(std::uint32_t code) { return win32::SystemErrorText(code); }

}  // namespace platform
