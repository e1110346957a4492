#pragma once
// The main window: its state as the program sees it and its command handlers. The window
// itself is realised by the platform layer; each handler lives in the folder of what it does
// (download/save_commands.cpp defines ButtonResaveClick, shell/ RegisterShortcut, ...).

#include <string>
#include <vector>

#include "platform/shell.h"
#include "platform/window.h"

using platform::WindowState;

// The pages of PageControl1, in tab order.
enum class Page { TabSheetFile = 0, TabSheetSettings = 1, TabSheetHelp = 2 };

// Control ids of the window's buttons, check boxes and hidden menu items. The platform layer
// reports a command by its id; TForm1::Command runs the handler.
enum class ControlId : int {
    ButtonSelectFile = 1001,
    ButtonResave,
    ButtonSaveAs,
    ButtonOpenFolder,
    ButtonAddSendTo,
    ButtonDeskTop,
    ButtonStartMenu,
    ButtonStartUp,
    CheckBoxCloseQuery,
    CheckBoxSaveStatus,
    ButtonHelp,
    ButtonAbout,
    ButtonProperties,
    ButtonDonation,
    ButtonHomeSite,
    N1,      // F1
    About1,  // Ctrl+Enter
    N2,      // Alt+Enter
    Close1,  // Esc
};

// The window's events reach TForm1 through platform::WindowEvents, which it hands to the
// platform when it creates the window and runs the loop (app/form.cpp).
class TForm1 final : public platform::WindowEvents {
public:
    static constexpr int kWidth96 = 280;
    static constexpr int kHeight96 = 280;

    // Creates the hidden window from its layout, then runs FormCreate, which may throw.
    void Create();
    // Destroys the window if it still exists.
    void Destroy();

    platform::WindowHandle Handle() const { return handle_; }
    Page ActivePage() const { return activePage_; }
    WindowState State() const { return windowState_; }
    // Records the state; on a visible window it also takes effect at once.
    void SetWindowState(WindowState state);
    // Records the state only, with no show call.
    void RecordWindowState(WindowState state) { windowState_ = state; }
    // The show command the launcher gave the process, read once at start (app/startup.cpp).
    void SetLauncherShowCommand(platform::ShowCommand show) { launcherShow_ = show; }
    platform::ShowCommand LauncherShowCommand() const { return launcherShow_; }

    bool IsEnabled(ControlId control) const;
    void SetEnabled(ControlId control, bool enabled);
    bool IsChecked(ControlId control) const;
    void SetChecked(ControlId control, bool checked);

    // Runs the handler of a button or menu item; errors it does not handle end in the default
    // error box.
    void Command(ControlId control);

    // ---- events (app/form.cpp, app/intake.cpp, settings/)
    void FormCreate();
    void FormResize();
    // The close query: false refuses the close.
    bool FormCloseQuery();
    // WM_QUERYENDSESSION: true when the session may end.
    bool WMQueryEndSession();
    void AppMessage(const platform::QueuedMessage& message, bool& handled);
    // The drop is released once the first path is read and prepared, also on an error.
    void WMDropFiles(platform::UniqueDrop drop);

    // ---- File page (app/intake.cpp, download/save_commands.cpp)
    void ButtonSelectFileClick();
    void ButtonResaveClick();
    void ButtonSaveAsClick();
    void ButtonOpenFolderClick();

    // ---- Settings page (shell/shortcut_registration.cpp)
    void ButtonAddSendToClick();
    void ButtonDeskTopClick();
    void ButtonStartMenuClick();
    void ButtonStartUpClick();
    void RegisterShortcut(int csidl, const std::wstring& folderCaption, const std::wstring& target);

    // ---- Help page (info/)
    void ButtonHelpClick();
    void ButtonAboutClick();
    void ButtonPropertiesClick();
    void ButtonDonationClick();
    void ButtonHomeSiteClick();
    void Close1Click();

    // ---- what the window tells the program (platform::WindowEvents)
    void MessageQueued(const platform::QueuedMessage& message, bool& handled) override;
    void CommandChosen(int id) override;
    void FilesDropped(platform::UniqueDrop drop) override;
    void CloseRequested() override;
    bool EndSessionQueried() override;
    void StateChanged(WindowState state) override;
    void Resized() override;
    void ErrorRaised(const platform::Error& error) override;
    // Runs the message loop until the quit message; returns its exit code.
    int RunMessageLoop();

    // ---- work the commands share
    bool DownloadToFile(const std::wstring& url, const std::wstring& fileName);
    // A download pumps messages, so any command can run inside it (download/).
    bool Downloading() const { return downloading_; }
    // The close query said yes: the window goes now, or, during a download, once the download
    // has given up at its next read and unwound.
    void CloseAccepted();
    void LoadSettings();
    void SaveSettings();

private:
    void InstallAppMessage();

    platform::WindowHandle handle_ = 0;
    // The stored layout has the Settings page in front; FormCreate brings the File page.
    Page activePage_ = Page::TabSheetSettings;
    WindowState windowState_ = WindowState::Normal;
    platform::ShowCommand launcherShow_ = platform::ShowCommand::ShowDefault;
    // download/: no nested download; a close inside one waits for it to unwind.
    bool downloading_ = false;
    bool closePending_ = false;
    // The open dialog's file-name box starts with the file chosen last (app/intake.cpp).
    std::wstring openDialogFileName_;
};

extern TForm1* Form1;

// The main window's handle, or 0 before it exists.
platform::WindowHandle MainWindowHandle();

// The show command that puts a window into `state`.
platform::ShowCommand ShowCommandFor(WindowState state);
