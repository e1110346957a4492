// The properties sheet of the program and the maker's web pages.
#include "info/properties.h"

#include "app/constants.h"
#include "app/form.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "url/path_to_url.h"

void ShowFileProperties(const std::wstring& path) {
    platform::ShellExecuteInfo info;
    // No UI of the shell's own: a refused request simply has no visible effect.
    info.mask =
        platform::kSeeMaskInvokeIdList | platform::kSeeMaskNoCloseProcess | platform::kSeeMaskFlagNoUi;
    info.window = 0;
    info.verb = L"properties";
    info.file = path.c_str();
    platform::ShellExecuteExW(info);
}

void TForm1::ButtonPropertiesClick() { ShowFileProperties(platform::GetModuleFileNameW()); }

void TForm1::ButtonDonationClick() { OpenUrl(handle_, std::wstring(AppHomePage) + L"software/index3.html"); }

void TForm1::ButtonHomeSiteClick() { OpenUrl(handle_, AppHomePage); }
