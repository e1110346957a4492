#include "download/open_file_location.h"

#include "platform/platform.h"

void OpenFileLocation(const std::wstring& path) {
    if (platform::FileExists(path)) {
        // Quoted: Explorer splits /select at commas, and a name with a comma or a leading
        // space would otherwise select the wrong thing or nothing.
        const std::wstring parameters = L"/select,\"" + path + L"\"";
        platform::ShellExecuteW(0, L"open", L"explorer.exe", parameters.c_str(), nullptr,
                                platform::ShowCommand::ShowNormal);
        return;
    }
    const std::size_t end = path.find_last_of(L"\\:");
    const std::wstring folder = end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
    platform::ShellExecuteW(0, L"open", L"\"" + folder + L"\"", nullptr, nullptr,
                            platform::ShowCommand::ShowNormal);
}
