#pragma once
// A folder of its own under %TEMP% for one test, removed with everything in it afterwards.

#include <filesystem>
#include <string>

#include "platform/win32/win32.h"

class TempFolder {
public:
    explicit TempFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, temp);
        path_ = std::filesystem::path(temp) /
                (L"velmora-" + name + L"-" + std::to_wstring(::GetCurrentProcessId()));
        Remove();
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() { Remove(); }
    std::wstring operator/(const std::wstring& relative) const { return (path_ / relative).wstring(); }
    std::wstring Path() const { return path_.wstring(); }

private:
    void Remove() const { RemoveTree(L"\\\\?\\" + path_.wstring()); }

    // Through the \\?\ prefix, so that trees deeper than 260 characters go too.
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW entry{};
        const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = entry.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = folder + L"\\" + name;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(child);
                else
                    ::DeleteFileW(child.c_str());
            } while (::FindNextFileW(search, &entry));
            ::FindClose(search);
        }
        ::RemoveDirectoryW(folder.c_str());
    }

    std::filesystem::path path_;
};

inline void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

inline std::wstring ShortPathOf(const std::wstring& path) {
    wchar_t buffer[1024] = {};
    const DWORD length = ::GetShortPathNameW(path.c_str(), buffer, 1024);
    return std::wstring(buffer, length < 1024 ? length : 0);
}
