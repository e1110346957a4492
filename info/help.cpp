// The help file lookup: the executable's name with ".chm", beside it or in the nearest
// enclosing folder up to the root of the drive or share.
#include "info/help.h"

#include "app/form.h"
#include "app/messages.h"
#include "platform/platform.h"

namespace {

constexpr std::size_t kMaxPath = 260;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring FileNamePart(const std::wstring& path) {
    const std::size_t last = path.find_last_of(L"\\/:");
    return last == std::wstring::npos ? path : path.substr(last + 1);
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && IsSeparator(folder.back())) return folder + name;
    return folder + L"\\" + name;
}

// The separator that ends "\\server\share", or npos when the path is not a UNC path.
std::size_t ShareRootEnd(const std::wstring& path) {
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return std::wstring::npos;
    const std::size_t server = path.find_first_of(L"\\/", 2);
    if (server == std::wstring::npos) return path.size();
    const std::size_t share = path.find_first_of(L"\\/", server + 1);
    return share == std::wstring::npos ? path.size() : share;
}

}  // namespace

std::wstring HelpFileName(const std::wstring& exePath) {
    const std::size_t nameStart = exePath.size() - FileNamePart(exePath).size();
    const std::size_t dot = exePath.rfind(L'.');
    if (dot == std::wstring::npos || dot < nameStart) return exePath + L".chm";
    return exePath.substr(0, dot) + L".chm";
}

std::wstring HelpDirectoryPart(const std::wstring& path) {
    // The same limit as the path functions of the system, so the walk never builds a longer one.
    if (path.size() >= kMaxPath) throw platform::Error(L"The specified path is too long");
    const std::size_t last = path.find_last_of(L"\\/");
    if (last == std::wstring::npos) return L"";
    const std::size_t shareEnd = ShareRootEnd(path);
    if (shareEnd != std::wstring::npos && last < shareEnd) return L"";
    if (last > 0 && path[last - 1] == L':') return last + 1 == path.size() ? L"" : path.substr(0, last + 1);
    return path.substr(0, last);
}

void TForm1::ButtonHelpClick() {
    std::wstring candidate = HelpFileName(platform::GetModuleFileNameW());
    const std::wstring name = FileNamePart(candidate);
    for (;;) {
        if (platform::FileExists(candidate)) {
            platform::ShellExecuteW(handle_, L"open", L"\"" + candidate + L"\"", nullptr, nullptr,
                                    platform::ShowCommand::ShowNormal);
            return;
        }
        const std::wstring parent = HelpDirectoryPart(HelpDirectoryPart(candidate));
        if (parent.empty()) {
            InfoMessage(L"HelpFile Not Found.\r\n\r\n" + name);
            return;
        }
        candidate = Join(parent, name);
    }
}
