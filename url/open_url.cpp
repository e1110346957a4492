#include "app/form.h"
#include "platform/platform.h"
#include "url/path_to_url.h"

void OpenUrl(const std::wstring& url) {
    // The shell's answer is not looked at: a browser that cannot open the address says so.
    platform::ShellExecuteW(MainWindowHandle(), L"open", url, nullptr, nullptr,
                            platform::ShowCommand::ShowNormal);
}
