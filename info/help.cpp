// The help file lookup: the executable's name with ".chm", beside it or in the nearest
// enclosing folder up to the root of the drive or share.
#include "app/form.h"
#include "app/messages.h"
#include "files/paths.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"

void TForm1::ButtonHelpClick() {
    std::wstring candidate = WithExtension(platform::GetModuleFileNameW(), kBackslashSlashColon, L".chm");
    const std::wstring name = FileNamePart(candidate, kBackslashSlashColon);
    for (;;) {
        if (platform::FileExists(candidate)) {
            platform::ShellExecuteW(handle_, L"open", L"\"" + candidate + L"\"", nullptr, nullptr,
                                    platform::ShowCommand::ShowNormal);
            return;
        }
        const std::wstring parent = EnclosingFolder(EnclosingFolder(candidate));
        if (parent.empty()) {
            InfoMessage(L"HelpFile Not Found.\r\n\r\n" + name);
            return;
        }
        candidate = JoinPath(parent, name);
    }
}
