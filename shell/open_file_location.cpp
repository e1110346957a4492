#include "shell/open_file_location.h"

#include "files/paths.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"

void OpenFileLocation(const std::wstring& path) {
    if (platform::FileExists(path)) {
        // Quoted: Explorer splits /select at commas, and a name with a comma or a leading
        // space would otherwise select the wrong thing or nothing.
        const std::wstring parameters = L"/select,\"" + path + L"\"";
        // By its full path: by bare name the shell looks in the current folder first, and a
        // mirrored site may hold a file of any name.
        platform::ShellExecuteW(0, L"open", JoinPath(platform::GetWindowsDirectoryW(), L"explorer.exe"),
                                parameters.c_str(), nullptr, platform::ShowCommand::ShowNormal);
        return;
    }
    // The folder keeps its trailing backslash; "/" is part of a name here.
    platform::ShellExecuteW(0, L"open", L"\"" + FolderPart(path, kBackslashColon) + L"\"", nullptr, nullptr,
                            platform::ShowCommand::ShowNormal);
}
