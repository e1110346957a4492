#include "platform/shell.h"
#include "url/path_to_url.h"

void OpenUrl(platform::WindowHandle owner, const std::wstring& url) {
    // The shell's answer is not looked at: a browser that cannot open the address says so.
    platform::ShellExecuteW(owner, L"open", url, nullptr, nullptr, platform::ShowCommand::ShowNormal);
}
