#include "app/form.h"

#include "app/application.h"
#include "app/constants.h"
#include "app/layout.h"
#include "app/messages.h"
#include "app/random.h"
#include "app/session.h"
#include "app/texts.h"
#include "platform/process.h"
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
    handle_ = platform::CreateMainWindow(MainWindowLayout(), *this);
    FormResize();
    FormCreate();
}

void TForm1::Destroy() {
    if (handle_ != 0) platform::DestroyWindow(handle_);
    handle_ = 0;
}

bool TForm1::IsEnabled(ControlId control) const {
    return platform::IsControlEnabled(handle_, static_cast<int>(control));
}

void TForm1::SetEnabled(ControlId control, bool enabled) {
    platform::EnableControl(handle_, static_cast<int>(control), enabled);
}

bool TForm1::IsChecked(ControlId control) const {
    return platform::IsControlChecked(handle_, static_cast<int>(control));
}

void TForm1::SetChecked(ControlId control, bool checked) {
    platform::CheckControl(handle_, static_cast<int>(control), checked);
}

void TForm1::Command(ControlId control) {
    using Handler = void (TForm1::*)();
    struct Route {
        ControlId control;
        Handler handler;
    };
    static constexpr Route kRoutes[] = {
        {ControlId::ButtonSelectFile, &TForm1::ButtonSelectFileClick},
        {ControlId::ButtonResave, &TForm1::ButtonResaveClick},
        {ControlId::ButtonSaveAs, &TForm1::ButtonSaveAsClick},
        {ControlId::ButtonOpenFolder, &TForm1::ButtonOpenFolderClick},
        {ControlId::ButtonAddSendTo, &TForm1::ButtonAddSendToClick},
        {ControlId::ButtonDeskTop, &TForm1::ButtonDeskTopClick},
        {ControlId::ButtonStartMenu, &TForm1::ButtonStartMenuClick},
        {ControlId::ButtonStartUp, &TForm1::ButtonStartUpClick},
        {ControlId::ButtonHelp, &TForm1::ButtonHelpClick},
        {ControlId::N1, &TForm1::ButtonHelpClick},
        {ControlId::ButtonAbout, &TForm1::ButtonAboutClick},
        {ControlId::About1, &TForm1::ButtonAboutClick},
        {ControlId::ButtonProperties, &TForm1::ButtonPropertiesClick},
        {ControlId::N2, &TForm1::ButtonPropertiesClick},
        {ControlId::ButtonDonation, &TForm1::ButtonDonationClick},
        {ControlId::ButtonHomeSite, &TForm1::ButtonHomeSiteClick},
        {ControlId::Close1, &TForm1::Close1Click},
    };
    for (const Route& route : kRoutes)
        if (route.control == control) RunCommand([&] { (this->*route.handler)(); });
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
        // A maximized start is the window's first state, as Windows itself gives the first show
        // of a process the launcher's command. Shown normal and maximized a moment later, the
        // window can be put back by a window manager that saw it mapped normal (Wine's X11
        // driver without one does so).
        if (launcherShow_ == platform::ShowCommand::ShowMaximized) windowState_ = WindowState::Maximized;
        platform::ShowWindow(handle_, ShowCommandFor(windowState_));
        platform::SetForegroundWindow(handle_);
        return;
    }

    if (argumentCount >= 2) InfoMessage(kSeveralFilesNotice);
    SourceFileName = ResolveSourcePath(arguments[1], StartupLocale);
    // The URL of a command-line run is only handed on; SourceUrl stays empty.
    OpenUrl(handle_, PathToUrl(SourceFileName));
    platform::PostQuitMessage(0);
}

// With three pages each tab takes a quarter of the width and a quarter stays free.
void TForm1::FormResize() {
    const int pageCount = static_cast<int>(MainWindowLayout().pages.size());
    platform::SetTabWidth(handle_, TabWidthFor(platform::GetTabControlClientWidth(handle_), pageCount));
}

// Posted, not called: the close query then runs from the message loop, outside this command.
void TForm1::Close1Click() { platform::PostMessageW(handle_, platform::kWmClose, 0, 0); }

int TForm1::RunMessageLoop() { return platform::RunMessageLoop(handle_, *this); }

// ---- What the window tells the program

void TForm1::MessageQueued(const platform::QueuedMessage& message, bool& handled) {
    AppMessage(message, handled);
}

void TForm1::CommandChosen(int id) { Command(static_cast<ControlId>(id)); }

// A drop that reaches the window by ordinary dispatch, without AppMessage, is handled the same.
void TForm1::FilesDropped(platform::UniqueDrop drop) {
    RunCommand([&] { WMDropFiles(std::move(drop)); });
}

// Every close goes through the close query, which reports its own errors; during a download the
// window goes only once the download has unwound.
void TForm1::CloseRequested() {
    if (FormCloseQuery()) CloseAccepted();
}

bool TForm1::EndSessionQueried() {
    const bool canEnd = WMQueryEndSession();
    // A download running under this query gives up at its next read, keeping the file.
    if (canEnd && downloading_) CloseAccepted();
    return canEnd;
}

// Only a shown window has a state of its own; a hidden one keeps what LoadSettings recorded.
void TForm1::StateChanged(WindowState state) {
    if (platform::IsWindowVisible(handle_)) RecordWindowState(state);
}

void TForm1::Resized() { FormResize(); }

void TForm1::ErrorRaised(const platform::Error& error) { ShowDefaultErrorBox(error); }
