#include "app/form.h"

#include "app/application.h"
#include "app/constants.h"
#include "app/messages.h"
#include "app/random.h"
#include "app/session.h"
#include "app/texts.h"
#include "url/path_to_url.h"
#include "url/source_path.h"

TForm1* Form1 = nullptr;

platform::WindowHandle MainWindowHandle() { return Form1 ? Form1->Handle() : 0; }

platform::ShowCommand ShowCommandFor(WindowState state) {
    switch (state) {
        case WindowState::Minimized:
            return platform::ShowCommand::ShowMinimized;
        case WindowState::Maximized:
            return platform::ShowCommand::ShowMaximized;
        case WindowState::Normal:
            break;
    }
    return platform::ShowCommand::ShowNormal;
}

void TForm1::Create() {
    handle_ = platform::CreateMainWindow(kWidth96, kHeight96, {L"ファイル", L"設 定", L"ヘルプ"});
    FormCreate();
}

void TForm1::Destroy() {
    if (handle_ != 0) platform::DestroyWindow(handle_);
    handle_ = 0;
}

void TForm1::SetWindowState(WindowState state) {
    windowState_ = state;
    if (platform::IsWindowVisible(handle_)) platform::ShowWindow(handle_, ShowCommandFor(state));
}

void TForm1::FormCreate() {
    std::int64_t counter = 0;
    if (platform::QueryPerformanceCounter(counter))
        Randomize(static_cast<std::uint64_t>(counter));
    else
        Randomize(platform::GetTickCount());

    ApplicationTitle = AppTitle;
    platform::SetWindowTextW(handle_, ApplicationTitle);

    InstallAppMessage();
    platform::DragAcceptFiles(handle_, true);
    LoadSettings();
    SessionEnding = false;

    const std::vector<std::wstring> arguments = SplitCommandLine(platform::GetCommandLineW());
    const std::size_t argumentCount = arguments.size() - 1;

    if (argumentCount == 0) {
        activePage_ = Page::TabSheetFile;
        platform::SetActivePage(handle_, static_cast<int>(activePage_));
        platform::ShowWindow(handle_, ShowCommandFor(windowState_));
        platform::SetForegroundWindow(handle_);
        return;
    }

    if (argumentCount >= 2) InfoMessage(kSeveralFilesNotice);
    SourceFileName = ResolveSourcePath(arguments[1]);
    // The URL of a command-line run is only handed on; SourceUrl stays empty.
    OpenUrl(PathToUrl(SourceFileName));
    platform::PostQuitMessage(0);
}

// Drops will be routed to the window by the application-wide message hook; the hook does not
// exist yet, so there is nothing to install.
void TForm1::InstallAppMessage() {}

// The settings file is not read yet: the window keeps the placement it was created with.
void TForm1::LoadSettings() {}
