// Taking a file in, by a drop on the window or through the open dialog. Both end the same way:
// the file becomes the source, its rebuilt URL opens, and the source buttons come on.
#include <algorithm>

#include "app/application.h"
#include "app/form.h"
#include "app/messages.h"
#include "app/session.h"
#include "app/texts.h"
#include "files/csidl_path.h"
#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "url/path_to_url.h"
#include "url/source_path.h"

namespace {

// The name buffer of a drop; a longer path is read with a buffer of its own length.
constexpr std::uint32_t kNameBufferChars = 256;

void TakeIn(TForm1& form, const std::wstring& path) {
    SourceFileName = path;
    SourceUrl = PathToUrl(SourceFileName);
    OpenUrl(form.Handle(), SourceUrl);
    form.SetEnabled(ControlId::ButtonResave, true);
    form.SetEnabled(ControlId::ButtonSaveAs, true);
    form.SetEnabled(ControlId::ButtonOpenFolder, true);
}

}  // namespace

// The message loop and the download's pump offer every queued message to AppMessage; there is
// nothing to register.
void TForm1::InstallAppMessage() {}

void TForm1::AppMessage(const platform::QueuedMessage& message, bool& handled) {
    if (handle_ == 0 || message.window != handle_ || message.message != platform::kWmDropFiles) return;
    platform::SendMessageW(handle_, platform::kWmDropFiles, message.wParam, message.lParam);
    platform::RestoreApplication(handle_);
    handled = true;
}

void TForm1::WMDropFiles(platform::UniqueDrop dropped) {
    std::wstring path;
    {
        // Released here, exactly once, also when preparing the path ends in an error.
        const platform::UniqueDrop owner = std::move(dropped);
        const platform::DropHandle drop = owner.get();
        const std::uint32_t count = platform::DragQueryFileW(drop, platform::kDragQueryCount, nullptr, 0);
        if (count >= 2) InfoMessage(kSeveralFilesNotice);
        // Asked for its length first, so that a path longer than 255 characters comes whole.
        const std::uint32_t length = platform::DragQueryFileW(drop, 0, nullptr, 0);
        platform::DragQueryFileW(drop, 0, &path, std::max(kNameBufferChars, length + 1));
        path = ResolveSourcePath(path, StartupLocale);
    }
    TakeIn(*this, path);
}

void TForm1::ButtonSelectFileClick() {
    platform::FileDialogConfig dialog;
    dialog.owner = handle_;
    dialog.folder = GetSpecialFolderPath(handle_, platform::kCsidlDesktop);
    dialog.fileName = openDialogFileName_;
    dialog.options = platform::kFosFileMustExist | platform::kFosPathMustExist;
    dialog.fileTypes = {{L"All", L"*.*"}};
    const std::optional<std::wstring> chosen = platform::ShowOpenDialog(dialog);
    if (!chosen) return;
    openDialogFileName_ = *chosen;
    // The dialog has already followed a chosen shortcut to its target.
    TakeIn(*this, *chosen);
}
