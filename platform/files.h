#pragma once
// Files and folders: creating, writing, flushing, moving and deleting files, whole-file reading,
// existence tests, folders, long names, the profile-string reader and the system's words for
// an error code.

#include <cstdint>
#include <string>

#include "platform/owner.h"

namespace platform {

// A file HANDLE; 0 when CreateFileW failed.
using FileHandle = std::uintptr_t;
void CloseHandle(FileHandle file);
using UniqueFile = Owner<&CloseHandle>;

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
    UniqueFile file;
    std::uint32_t error = 0;  // GetLastError when there is no file
};
CreatedFile CreateFileW(const std::wstring& path, std::uint32_t access, std::uint32_t shareMode,
                        std::uint32_t disposition, std::uint32_t flagsAndAttributes);
// False with `error` set when not every byte was written.
bool WriteFile(FileHandle file, const void* data, std::uint32_t size, std::uint32_t& error);
// False when what was written could not be put on the disk.
bool FlushFileBuffers(FileHandle file);
// 0 on success, otherwise GetLastError.
std::uint32_t MoveFileExW(const std::wstring& from, const std::wstring& to, std::uint32_t flags);

constexpr std::uint32_t kReplaceFileIgnoreMergeErrors = 0x2;
constexpr std::uint32_t kErrorSharingViolation = 32;
constexpr std::uint32_t kErrorUnableToRemoveReplaced = 1175;
constexpr std::uint32_t kErrorUnableToMoveReplacement = 1176;
// ReplaceFileW without a backup: `replaced` takes the bytes of `replacement` and keeps its own
// identity (permissions, streams, creation time, short name). 0 on success, otherwise
// GetLastError. With kErrorUnableToMoveReplacement the replaced file is gone and the bytes
// are still in `replacement`.
std::uint32_t ReplaceFileW(const std::wstring& replaced, const std::wstring& replacement,
                           std::uint32_t flags);
// True when the file was deleted.
bool DeleteFileW(const std::wstring& path);
// The whole file; throws Error when it cannot be opened or read.
std::string ReadFileBytes(const std::wstring& path);

constexpr std::uint32_t kFileAttributeReadonly = 0x1;
constexpr std::uint32_t kFileAttributeHidden = 0x2;
constexpr std::uint32_t kFileAttributeSystem = 0x4;
constexpr std::uint32_t kFileAttributeArchive = 0x20;
constexpr std::uint32_t kFileAttributeNotContentIndexed = 0x2000;
constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFF;
constexpr std::uint32_t kErrorAccessDenied = 5;
// kInvalidFileAttributes when there is nothing at `path`.
std::uint32_t GetFileAttributesW(const std::wstring& path);
// True only when a file, not a folder, exists at `path`.
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// One folder; its parent must exist. False when it cannot be made.
bool CreateDirectoryW(const std::wstring& path);

struct LongPathResult {
    std::uint32_t result = 0;  // what GetLongPathNameW returned
    std::wstring text;         // the buffer's text up to its first NUL
};
LongPathResult GetLongPathNameW(const std::wstring& path, std::uint32_t bufferChars);

// The text copied into a buffer of bufferChars characters (cut as Windows cuts it).
std::wstring GetPrivateProfileStringW(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& defaultValue, std::uint32_t bufferChars,
                                      const std::wstring& fileName);

// The system's description of an error code, without a trailing full stop.
std::wstring SystemErrorText(std::uint32_t code);

}  // namespace platform
