// Files on the fake disk (State::files, paths without regard to case), the handles open on
// them, and the profile reader, which reads them the way Windows does: sections and keys
// without regard to case, the first match wins, blanks and one pair of quotes go.
#include <algorithm>
#include <cwctype>

#include "platform/fake/fake_platform.h"

namespace platform {

using fake::Log;
using fake::Platform;

namespace {

fake::Download& Machine() { return Platform().download; }

bool SameText(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

// A folder exists when the fake disk lists it, or lists anything inside it; a drive always.
bool FolderExists(const std::wstring& folder) {
    if (folder.size() <= 2) return true;
    for (const auto& [path, entry] : Platform().files) {
        if (SameText(path, folder)) return entry.directory;
        if (path.size() > folder.size() && path[folder.size()] == L'\\' &&
            SameText(path.substr(0, folder.size()), folder))
            return true;
    }
    return false;
}

std::wstring ParentOf(const std::wstring& path) {
    const std::size_t end = path.find_last_of(L'\\');
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end);
}

std::map<FileHandle, std::wstring>& OpenFiles() { return Machine().openFiles; }

// The answer scripted for the next call of its kind, if any.
std::uint32_t Scripted(std::deque<std::uint32_t>& errors) {
    if (errors.empty()) return 0;
    const std::uint32_t error = errors.front();
    errors.pop_front();
    return error;
}

bool TooLong(const std::wstring& path) {
    return Machine().maxPath && path.size() >= *Machine().maxPath && !path.starts_with(L"\\\\?\\");
}

FileHandle nextFileHandle = 0x2000;

std::wstring Trimmed(std::wstring text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    while (!text.empty() && blank(text.front())) text.erase(0, 1);
    return text;
}

}  // namespace

CreatedFile CreateFileW(const std::wstring& path, std::uint32_t, std::uint32_t, std::uint32_t disposition,
                        std::uint32_t flagsAndAttributes) {
    Log("CreateFileW");
    if (const auto scripted = Machine().createErrors.find(path); scripted != Machine().createErrors.end())
        return {UniqueFile(), scripted->second};
    if (TooLong(path)) return {UniqueFile(), 3};  // ERROR_PATH_NOT_FOUND
    for (const auto& [handle, open] : OpenFiles())
        if (SameText(open, path)) return {UniqueFile(), 32};      // ERROR_SHARING_VIOLATION: share mode 0
    if (!FolderExists(ParentOf(path))) return {UniqueFile(), 3};  // ERROR_PATH_NOT_FOUND
    auto& files = Platform().files;
    const auto found = files.find(path);
    if (found != files.end() && found->second.directory) return {UniqueFile(), 5};  // ERROR_ACCESS_DENIED
    if (found != files.end() && found->second.readOnly) return {UniqueFile(), 5};
    if (disposition == kOpenExisting && found == files.end()) return {UniqueFile(), kErrorFileNotFound};
    if (disposition == kCreateNew && found != files.end()) return {UniqueFile(), kErrorFileExists};
    if (found == files.end()) {
        files[path] = fake::FileEntry{};
        files[path].attributes = flagsAndAttributes & ~kFileAttributeNormal;
    }
    if (disposition != kOpenExisting) files[path].bytes.clear();
    ++Machine().fileHandlesAlive;
    const FileHandle handle = nextFileHandle++;
    OpenFiles()[handle] = path;
    return {UniqueFile(handle), 0};
}

bool WriteFile(FileHandle file, const void* data, std::uint32_t size, std::uint32_t& error) {
    Log("WriteFile");
    if (Machine().failingWrite == Machine().writes++) {
        error = 112;  // ERROR_DISK_FULL
        return false;
    }
    Platform().files[OpenFiles().at(file)].bytes.append(static_cast<const char*>(data), size);
    return true;
}

bool FlushFileBuffers(FileHandle file) {
    Log("FlushFileBuffers");
    return OpenFiles().count(file) != 0 && !Machine().flushFails;
}

void CloseHandle(FileHandle file) {
    Log("CloseHandle");
    OpenFiles().erase(file);
    --Machine().fileHandlesAlive;
}

std::uint32_t MoveFileExW(const std::wstring& from, const std::wstring& to, std::uint32_t flags) {
    Log("MoveFileExW");
    Machine().moves.push_back({from, to, flags});
    if (const std::uint32_t error = Scripted(Machine().moveErrors)) return error;
    if (TooLong(from) || TooLong(to)) return 3;
    if (const auto scripted = Machine().createErrors.find(to); scripted != Machine().createErrors.end())
        return scripted->second;
    auto& files = Platform().files;
    const auto source = files.find(from);
    if (source == files.end()) return kErrorFileNotFound;
    if (files.count(to) && !(flags & kMoveFileReplaceExisting)) return 183;  // ERROR_ALREADY_EXISTS
    if (files.count(to) && (files[to].readOnly || files[to].directory)) return 5;
    fake::FileEntry moved = source->second;
    files.erase(source);
    files.erase(to);
    files[to] = moved;
    return 0;
}

// As Wine does it, the weaker of the two systems: the replaced file takes the bytes and the
// attributes of the replacement (Windows would keep its own attributes).
std::uint32_t ReplaceFileW(const std::wstring& replaced, const std::wstring& replacement,
                           std::uint32_t flags) {
    Log("ReplaceFileW");
    Machine().replaces.push_back({replacement, replaced, flags});
    // Windows refuses a folder before it moves anything.
    if (const auto folder = Platform().files.find(replaced);
        folder != Platform().files.end() && folder->second.directory)
        return 5;
    if (const std::uint32_t error = Scripted(Machine().replaceErrors)) {
        // Windows' word for a replace that moved the old file away and could not go on.
        if (error == kErrorUnableToMoveReplacement) Platform().files.erase(replaced);
        return error;
    }
    if (TooLong(replaced) || TooLong(replacement)) return 3;
    for (const auto& [handle, open] : OpenFiles())
        if (SameText(open, replaced) || SameText(open, replacement)) return 32;
    auto& files = Platform().files;
    const auto source = files.find(replacement);
    const auto target = files.find(replaced);
    if (source == files.end() || target == files.end()) return kErrorFileNotFound;
    if (target->second.readOnly) return 5;
    target->second.bytes = source->second.bytes;
    target->second.attributes = source->second.attributes;
    files.erase(source);
    return 0;
}

bool DeleteFileW(const std::wstring& path) {
    Log("DeleteFileW");
    fake::InfoState& info = Platform().info;
    info.deletions.push_back(path);
    const fake::PathLess less;
    for (const std::wstring& locked : info.lockedFiles)
        if (!less(locked, path) && !less(path, locked)) return false;
    // Every handle here is opened without FILE_SHARE_DELETE.
    for (const auto& [handle, open] : OpenFiles())
        if (SameText(open, path)) return false;
    const auto found = Platform().files.find(path);
    if (found == Platform().files.end() || found->second.directory) return false;
    Platform().files.erase(found);
    return true;
}

std::string ReadFileBytes(const std::wstring& path) {
    Log("ReadFileBytes");
    if (Platform().mainWindow.readError) throw Error(*Platform().mainWindow.readError);
    const auto found = Platform().files.find(path);
    if (found == Platform().files.end()) throw Error(L"Cannot open file \"" + path + L"\"");
    return found->second.bytes;
}

std::uint32_t GetFileAttributesW(const std::wstring& path) {
    Log("GetFileAttributesW");
    const auto found = Platform().files.find(path);
    if (found == Platform().files.end()) return kInvalidFileAttributes;
    if (found->second.directory) return 0x10;  // FILE_ATTRIBUTE_DIRECTORY
    const std::uint32_t attributes =
        (found->second.readOnly ? kFileAttributeReadonly : 0) | found->second.attributes;
    return attributes != 0 ? attributes : kFileAttributeNormal;
}

bool FileExists(const std::wstring& path) {
    Log("FileExists");
    const auto found = Platform().files.find(path);
    return found != Platform().files.end() && !found->second.directory;
}

bool DirectoryExists(const std::wstring& path) {
    Log("DirectoryExists");
    std::wstring folder = path;
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    const auto found = Platform().files.find(folder);
    return found != Platform().files.end() && found->second.directory;
}

bool CreateDirectoryW(const std::wstring& path) {
    Log("CreateDirectoryW");
    if (path.size() == 2 && path[1] == L':') return false;  // a drive is not a folder to make
    const auto& refused = Platform().mainWindow.uncreatableFolders;
    if (std::any_of(refused.begin(), refused.end(), [&](const std::wstring& f) { return SameText(f, path); }))
        return false;
    const std::size_t separator = path.rfind(L'\\');
    if (separator != std::wstring::npos && path.find(L'\\') != separator &&
        !DirectoryExists(path.substr(0, separator)))
        return false;
    fake::FileEntry entry;
    entry.directory = true;
    return Platform().files.emplace(path, entry).second;
}

LongPathResult GetLongPathNameW(const std::wstring& path, std::uint32_t bufferChars) {
    Log("GetLongPathNameW");
    std::wstring longForm;
    if (const auto alias = Platform().longNames.find(path); alias != Platform().longNames.end())
        longForm = alias->second;
    else if (Platform().files.count(path))
        longForm = path;
    else
        return {};
    // As Windows: the length without NUL when it fits, else the size the buffer would need.
    if (longForm.size() < bufferChars) return {static_cast<std::uint32_t>(longForm.size()), longForm};
    return {static_cast<std::uint32_t>(longForm.size() + 1), L""};
}

std::wstring GetPrivateProfileStringW(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& defaultValue, std::uint32_t bufferChars,
                                      const std::wstring& fileName) {
    Log("GetPrivateProfileStringW");
    Platform().mainWindow.profileFilesRead.push_back(fileName);
    std::wstring value = defaultValue;
    const auto file = Platform().files.find(fileName);
    if (file != Platform().files.end() && !file->second.directory) {
        std::wstring text = fake::DecodeFileText(file->second.bytes, Platform().mainWindow.codePage);
        std::replace(text.begin(), text.end(), L'\r', L'\n');
        bool inSection = false;
        for (std::size_t start = 0; start <= text.size();) {
            std::size_t end = text.find(L'\n', start);
            if (end == std::wstring::npos) end = text.size();
            const std::wstring line = Trimmed(text.substr(start, end - start));
            start = end + 1;
            if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
                inSection = SameText(Trimmed(line.substr(1, line.size() - 2)), section);
                continue;
            }
            const std::size_t equals = line.find(L'=');
            if (!inSection || equals == std::wstring::npos || !SameText(Trimmed(line.substr(0, equals)), key))
                continue;
            value = Trimmed(line.substr(equals + 1));
            if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
                value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            break;
        }
    }
    if (value.size() >= bufferChars) value.resize(bufferChars - 1);
    return value;
}

std::wstring SystemErrorText(std::uint32_t code) {
    switch (code) {
        case 2:
            return L"The system cannot find the file specified";
        case 3:
            return L"The system cannot find the path specified";
        case 5:
            return L"Access is denied";
        case 32:
            return L"The process cannot access the file because it is being used by another process";
        case 112:
            return L"There is not enough space on the disk";
        default:
            return L"System error " + std::to_wstring(code);
    }
}

}  // namespace platform
