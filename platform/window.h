#pragma once
// The main window and the message loop. The program hands over its controls as data (a tab
// page each, a grid cell each, caption, hint, initial state) and the keys of its hidden menu
// items; the platform realises them as real controls scaled to the monitor's DPI. What happens
// to the window reaches the program only through the WindowEvents it handed over.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/shell.h"
#include "platform/types.h"

namespace platform {

// ---- The layout ------------------------------------------------------------------------------

// Columns and rows that share their panel equally.
struct Grid {
    int columns = 1;
    int rows = 1;
};

enum class ControlKind { Button, CheckBox, GroupBox };

struct ControlLayout {
    int id = 0;
    std::wstring name;  // the control's name in the program (ButtonResave); never shown
    ControlKind kind = ControlKind::Button;
    int page = 0;
    // 0: the page's own grid; otherwise the id of the group box whose grid holds the control.
    int parent = 0;
    int column = 0;
    int row = 0;
    std::wstring caption;
    std::wstring hint;
    bool enabled = true;
    bool defaultButton = false;
    Grid inner;  // a group box's own grid
};

struct PageLayout {
    std::wstring name;
    std::wstring caption;
    Grid grid;
};

// A key that runs a command wherever the focus is in the window (an accelerator).
struct KeyShortcut {
    int id = 0;
    std::wstring name;     // the hidden menu item's name in the program (N1)
    std::wstring caption;  // the hidden menu item's caption; never shown
    std::uint16_t virtualKey = 0;
    bool control = false;
    bool alt = false;
};

struct WindowLayout {
    std::wstring className;  // the window class, as other programs find the window
    int width96 = 0;
    int height96 = 0;
    std::wstring fontFace;
    // Tried in order when fontFace is not installed; then the system's message font.
    std::vector<std::wstring> fallbackFaces;
    int fontHeight96 = 0;  // negative: character height, as LOGFONT has it
    int margin96 = 0;      // around every panel and every control in its cell
    std::vector<PageLayout> pages;
    std::vector<ControlLayout> controls;
    std::vector<KeyShortcut> shortcuts;
};

constexpr std::uint16_t kVkReturn = 0x0D;
constexpr std::uint16_t kVkEscape = 0x1B;
constexpr std::uint16_t kVkF1 = 0x70;

constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmDropFiles = 0x0233;

// ---- What the window tells the program --------------------------------------------------------

// One message as the message loop takes it from the queue (an MSG without time and point).
struct QueuedMessage {
    WindowHandle window = 0;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// The window's own record of its state: SIZE_RESTORED, SIZE_MINIMIZED, SIZE_MAXIMIZED.
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// Implemented by the program and handed to CreateMainWindow and to the message loop; the
// window procedure and the loop call nothing else of the program.
class WindowEvents {
public:
    // Every message the loop or a pump takes from the queue, before it is dispatched; setting
    // `handled` keeps it from being dispatched.
    virtual void MessageQueued(const QueuedMessage& message, bool& handled) = 0;
    // A button was clicked or a shortcut key pressed; `id` is its id in the layout.
    virtual void CommandChosen(int id) = 0;
    // WM_DROPFILES reached the window procedure; the drop is the program's to read and release.
    virtual void FilesDropped(UniqueDrop drop) = 0;
    // WM_CLOSE: the window stays unless the program destroys it.
    virtual void CloseRequested() = 0;
    // WM_QUERYENDSESSION: true lets the session end.
    virtual bool EndSessionQueried() = 0;
    // WM_SIZE told the window's new state.
    virtual void StateChanged(WindowState state) = 0;
    // The window has a new size and its tab control has been fitted to it; the pages and their
    // controls are placed right after.
    virtual void Resized() = 0;
    // An error inside the platform's own work for the window (making its controls).
    virtual void ErrorRaised(const Error& error) = 0;

protected:
    ~WindowEvents() = default;
};

// ---- The window --------------------------------------------------------------------------------

// Creates the main window hidden, with every page and control of the layout; the outer size
// and the minimum size are the layout's 96-DPI size scaled to the monitor. `events` must
// outlive the window.
WindowHandle CreateMainWindow(const WindowLayout& layout, WindowEvents& events);
void DestroyWindow(WindowHandle window);
void SetWindowTextW(WindowHandle window, const std::wstring& text);
void ShowWindow(WindowHandle window, ShowCommand show);
bool IsWindowVisible(WindowHandle window);
void SetForegroundWindow(WindowHandle window);
void SetActivePage(WindowHandle window, int page);
// A child control of the window, found by its id (EnableWindow / CheckDlgButton).
void EnableControl(WindowHandle window, int controlId, bool enabled);
bool IsControlEnabled(WindowHandle window, int controlId);
void CheckControl(WindowHandle window, int controlId, bool checked);
bool IsControlChecked(WindowHandle window, int controlId);
// The width of the tab control's client area (GetClientRect of the tab control).
int GetTabControlClientWidth(WindowHandle window);
// TCM_SETITEMSIZE with this width; the height is left to the tab control, which takes it from
// the font (of the monitor's DPI).
void SetTabWidth(WindowHandle window, int width);
Rect GetClientRect(WindowHandle window);

void PostMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
// Sends a message and returns once the target window's procedure has handled it.
std::intptr_t SendMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam);
// Brings the application's windows back from the minimized state; nothing otherwise.
void RestoreApplication(WindowHandle mainWindow);

// WINDOWPLACEMENT, field for field.
struct WindowPlacement {
    std::uint32_t length = 0;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = 0;
    Point minPosition;
    Point maxPosition;
    Rect normalPosition;
};
bool GetWindowPlacement(WindowHandle window, WindowPlacement& placement);
bool SetWindowPlacement(WindowHandle window, const WindowPlacement& placement);

// SystemParametersInfoW(SPI_GETWORKAREA): the primary monitor without the taskbar.
bool SystemParametersInfoWorkArea(Rect& workArea);

constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;
int GetSystemMetrics(int index);

// ---- The message loop -------------------------------------------------------------------------

// Runs the thread's message loop until WM_QUIT and returns the quit message's exit code. Every
// message taken from the queue is offered to `events` first; the main window's shortcut keys
// and dialog keys (Tab, Enter on the default button) work wherever the focus is inside it.
int RunMessageLoop(WindowHandle mainWindow, WindowEvents& events);
// Dispatches every message waiting for the thread's windows the same way. A WM_QUIT taken here
// is posted again for the main loop.
void ProcessMessages(WindowHandle mainWindow, WindowEvents& events);

}  // namespace platform
