// The program's shortcut in the shell's special folders: created, rewritten or deleted, then
// the folder offered in Explorer.
#include "app/constants.h"
#include "app/form.h"
#include "app/messages.h"
#include "files/csidl_path.h"
#include "files/paths.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "shell/open_file_location.h"

namespace {

// A fresh link holding only the target: whatever an edited shortcut held is replaced.
bool WriteShortcut(const std::wstring& shortcutPath, const std::wstring& target) {
    platform::ShellLink link;
    link.SetPath(target);
    return link.Save(shortcutPath, false) == 0;
}

}  // namespace

void TForm1::ButtonAddSendToClick() {
    RegisterShortcut(platform::kCsidlSendTo, L"送る", platform::GetModuleFileNameW());
}

void TForm1::ButtonDeskTopClick() {
    RegisterShortcut(platform::kCsidlDesktop, L"デスクトップ", platform::GetModuleFileNameW());
}

void TForm1::ButtonStartMenuClick() {
    RegisterShortcut(platform::kCsidlPrograms, L"スタートメニューのプログラム",
                     platform::GetModuleFileNameW());
}

void TForm1::ButtonStartUpClick() {
    RegisterShortcut(platform::kCsidlStartup, L"スタートアップ", platform::GetModuleFileNameW());
}

void TForm1::RegisterShortcut(int csidl, const std::wstring& folderCaption, const std::wstring& target) {
    const std::wstring shortcutPath = GetSpecialFolderPath(handle_, csidl) + AppTitle + L".Lnk";
    const std::wstring report = L"フォルダ " + folderCaption;
    const std::wstring pathLines = L" \r\n" + shortcutPath + L"\r\n";

    if (platform::FileExists(shortcutPath)) {
        const ConfirmResult answer =
            ConfirmMessage(folderCaption + L" には既に " + FileNamePart(shortcutPath, kBackslashSlashColon) +
                               L" が存在します。\r\n更新しますか？\r\n\r\n" +
                               L"[はい]: 更新, [いいえ]: 削除, [Cancel]: 取消し",
                           ConfirmButtons::YesNoCancel);
        if (answer == ConfirmResult::Cancel) return;
        if (answer == ConfirmResult::Yes) {
            InfoMessage(
                report + L" の" + pathLines +
                (WriteShortcut(shortcutPath, target) ? L"更新しました。" : L"更新できませんでした。"));
        } else if (platform::DeleteFileW(shortcutPath)) {
            InfoMessage(report + L" から" + pathLines + L"削除しました。");
        } else {
            InfoMessage(report + L" から" + pathLines +
                        L"削除できませんでした。\r\n削除済み、または他で使用中です。");
        }
    } else {
        InfoMessage(
            report + L" に" + pathLines +
            (WriteShortcut(shortcutPath, target) ? L"新規作成しました。" : L"新規作成できませんでした。"));
    }

    if (ConfirmMessage(report + L" を開きますか？", ConfirmButtons::YesNo) == ConfirmResult::Yes)
        OpenFileLocation(shortcutPath);
}
