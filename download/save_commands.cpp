// Resave, Save As and Open file location: the three commands on the file last taken in.
#include "app/form.h"
#include "app/messages.h"
#include "app/session.h"
#include "download/time_stamp.h"
#include "files/paths.h"
#include "platform/dialogs.h"
#include "platform/process.h"
#include "shell/open_file_location.h"

namespace {

// The URL is the one downloaded: a file taken in during the download changes SourceUrl, and the
// box would otherwise name the new address beside the old target.
std::wstring Outcome(const std::wstring& url, const std::wstring& fileName, const wchar_t* text) {
    return url + L"\r\n" + fileName + L"\r\n" + text;
}

// A second download inside the first would nest two pumps over one window; a beep tells the
// user the press was heard and refused.
bool RefusedDuringDownload(const TForm1& form) {
    if (!form.Downloading()) return false;
    platform::MessageBeep(platform::kMbOkBeep);
    return true;
}

}  // namespace

void TForm1::ButtonResaveClick() {
    if (RefusedDuringDownload(*this)) return;
    SaveFileName = SourceFileName;
    const std::wstring url = SourceUrl;
    const bool saved = DownloadToFile(url, SaveFileName);
    if (handle_ == 0) return;  // the window closed during the download
    InfoMessage(Outcome(url, SaveFileName, saved ? L"再保存しました" : L"再保存できませんでした"));
}

void TForm1::ButtonSaveAsClick() {
    if (RefusedDuringDownload(*this)) return;
    const std::wstring directory = DirectoryPart(SourceFileName);
    const std::wstring baseName = BaseNamePart(SourceFileName, kBackslashSlashColon);
    const std::wstring extension = ExtensionPart(SourceFileName, kBackslashSlashColon);
    // Taken once, before the dialog: the proposal names the moment the user asked.
    const std::wstring stamp = TimeStamp(platform::GetLocalTime());
    SaveFileName = JoinBaseName(directory, baseName) + stamp + extension;

    platform::FileDialogConfig dialog;
    dialog.owner = handle_;
    dialog.folder = DirectoryPart(SaveFileName);
    dialog.fileName = FileNamePart(SaveFileName, kBackslashSlashColon);
    dialog.options = 0;  // no overwrite prompt: choosing an existing file overwrites it
    dialog.fileTypes = {{L"All(*.*)", L"*.*"}};
    const std::optional<std::wstring> chosen = platform::ShowSaveDialog(dialog);
    if (!chosen) return;

    SaveFileName = *chosen;
    const std::wstring url = SourceUrl;
    const bool saved = DownloadToFile(url, SaveFileName);
    if (handle_ == 0) return;  // the window closed during the download
    InfoMessage(Outcome(url, SaveFileName, saved ? L"保存しました" : L"保存できませんでした"));
}

void TForm1::ButtonOpenFolderClick() {
    if (SaveFileName.empty()) SaveFileName = SourceFileName;
    NoticeMessage(L"SaveFileName1=" + SaveFileName);
    OpenFileLocation(SaveFileName);
}
