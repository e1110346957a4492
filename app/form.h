#pragma once
// The main window: its state as the program sees it and its command handlers. The window
// itself is realised by the platform layer; handlers live in the folder of what they do.

#include <string>
#include <vector>

#include "platform/platform.h"

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// The pages of PageControl1, in tab order.
enum class Page { TabSheetFile = 0, TabSheetSettings = 1, TabSheetHelp = 2 };

class TForm1 {
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

    void FormCreate();

private:
    void InstallAppMessage();
    void LoadSettings();

    platform::WindowHandle handle_ = 0;
    // The stored layout has the Settings page in front; FormCreate brings the File page.
    Page activePage_ = Page::TabSheetSettings;
    WindowState windowState_ = WindowState::Normal;
};

extern TForm1* Form1;

// The main window's handle, or 0 before it exists.
platform::WindowHandle MainWindowHandle();

// The show command that puts a window into `state`.
platform::ShowCommand ShowCommandFor(WindowState state);
