#include "settings/settings_path.h"

#include "files/paths.h"
#include "platform/process.h"
#include "platform/shell.h"

std::wstring ExecutableFolder(std::wstring_view exePath) {
    std::wstring folder = FolderPart(exePath, kBackslashColon);
    // Keep the backslash of a drive root: "C:\" names the root, "C:" the drive's current folder.
    if (folder.size() > 1 && folder.back() == L'\\' && folder[folder.size() - 2] != L':') folder.pop_back();
    return folder;
}

std::wstring GetSettingsFileName() {
    const platform::FolderPathResult appData =
        platform::SHGetFolderPathW(0, platform::kCsidlAppData, 0, platform::kShgfpTypeCurrent);
    const std::wstring roaming = appData.result >= 0 ? appData.path : L"";
    const std::wstring base = BaseNamePart(platform::GetModuleFileNameW(), kBackslashColon);
    return JoinPath(JoinPath(JoinPath(roaming, L"Quorrin"), base), base + L".ini");
}

std::wstring FallbackSettingsFileName() {
    return WithExtension(platform::GetModuleFileNameW(), kBackslashColon, L".ini");
}
