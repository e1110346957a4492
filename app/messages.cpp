#include "app/messages.h"

#include "app/application.h"
#include "app/form.h"
#include "platform/dialogs.h"
#include "platform/window.h"

namespace {

// A box is modal to the main window while that window is on screen; in command-line mode the
// window stays hidden and a hidden owner would keep the box off the taskbar.
platform::WindowHandle BoxOwner() {
    const platform::WindowHandle window = MainWindowHandle();
    return window != 0 && platform::IsWindowVisible(window) ? window : 0;
}

void OkBox(const std::wstring& text, std::uint32_t taskDialogFlags) {
    if (platform::TaskDialogAvailable()) {
        platform::TaskDialogConfig config;
        config.owner = BoxOwner();
        config.flags = taskDialogFlags;
        config.caption = ApplicationTitle;
        config.content = text;
        platform::TaskDialogIndirect(config);
        return;
    }
    platform::MessageBoxW(BoxOwner(), text, ApplicationTitle, platform::kMbOk);
}

}  // namespace

void InfoMessage(const std::wstring& text) { OkBox(text, platform::kTdfSizeToContent); }

void NoticeMessage(const std::wstring& text) { OkBox(text, platform::kTdfAllowDialogCancellation); }

ConfirmResult ConfirmMessage(const std::wstring& text, ConfirmButtons buttons) {
    const std::uint32_t type =
        platform::kMbIconQuestion |
        (buttons == ConfirmButtons::YesNo ? platform::kMbYesNo : platform::kMbYesNoCancel);
    switch (platform::MessageBoxW(BoxOwner(), text, ApplicationTitle, type)) {
        case platform::kIdYes:
            return ConfirmResult::Yes;
        case platform::kIdNo:
            return ConfirmResult::No;
        default:
            return buttons == ConfirmButtons::YesNo ? ConfirmResult::No : ConfirmResult::Cancel;
    }
}

std::wstring DefaultErrorText(const std::wstring& text) {
    if (!text.empty() && text.back() > L'.') return text + L'.';
    return text;
}

void ShowDefaultErrorBox(const platform::Error& error) {
    platform::MessageBoxW(BoxOwner(), DefaultErrorText(error.Text()), ApplicationTitle,
                          platform::kMbOk | platform::kMbIconError);
}

std::wstring WidenErrorText(const char* text) {
    std::wstring wide;
    for (; *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}
