#include "settings/settings_path.h"

#include "platform/platform.h"

namespace {

std::size_t NameStart(std::wstring_view path) {
    const std::size_t separator = path.find_last_of(L"\\:");
    return separator == std::wstring_view::npos ? 0 : separator + 1;
}

}  // namespace

std::wstring JoinPath(std::wstring_view first, std::wstring_view second) {
    if (first.empty()) return std::wstring(second);
    const wchar_t last = first.back();
    const bool separated = last == L'\\' || last == L'/' || last == L':';
    return std::wstring(first) + (separated ? L"" : L"\\") + std::wstring(second);
}

std::wstring ExecutableFileName(std::wstring_view exePath) {
    return std::wstring(exePath.substr(NameStart(exePath)));
}

std::wstring ExecutableBaseName(std::wstring_view exePath) {
    const std::wstring name = ExecutableFileName(exePath);
    return name.substr(0, name.rfind(L'.'));
}

std::wstring ExecutableFolder(std::wstring_view exePath) {
    std::wstring folder(exePath.substr(0, NameStart(exePath)));
    // Keep the backslash of a drive root: "C:\" names the root, "C:" the drive's current folder.
    if (folder.size() > 1 && folder.back() == L'\\' && folder[folder.size() - 2] != L':') folder.pop_back();
    return folder;
}

std::wstring GetSettingsFileName() {
    const platform::FolderPathResult appData =
        platform::SHGetFolderPathW(0, platform::kCsidlAppData, 0, platform::kShgfpTypeCurrent);
    const std::wstring roaming = appData.result >= 0 ? appData.path : L"";
    const std::wstring base = ExecutableBaseName(platform::GetModuleFileNameW());
    return JoinPath(JoinPath(JoinPath(roaming, L"Quorrin"), base), base + L".ini");
}

std::wstring FallbackSettingsFileName() {
    const std::wstring exe = platform::GetModuleFileNameW();
    const std::size_t dot = exe.rfind(L'.');
    const bool hasExtension = dot != std::wstring::npos && dot >= NameStart(exe);
    return (hasExtension ? exe.substr(0, dot) : exe) + L".ini";
}
