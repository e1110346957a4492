#pragma once
// The main window as the platform builds it: the program hands over its controls as data (a
// tab page each, a grid cell each, caption, hint, initial state) and the keys of its hidden
// menu items; the platform realises them as real controls scaled to the monitor's DPI.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using WindowHandle = std::uintptr_t;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const Rect&) const = default;
};

// Columns and rows that share their panel equally.
struct Grid {
    int columns = 1;
    int rows = 1;
};

enum class ControlKind { Button, CheckBox, GroupBox };

struct ControlLayout {
    int id = 0;
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
    std::wstring caption;
    Grid grid;
};

// A key that runs a command wherever the focus is in the window (an accelerator).
struct KeyShortcut {
    int id = 0;
    std::wstring caption;  // the hidden menu item's caption; never shown
    std::uint16_t virtualKey = 0;
    bool control = false;
    bool alt = false;
};

struct WindowLayout {
    int width96 = 0;
    int height96 = 0;
    std::wstring fontFace;
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

// Creates the main window hidden, with every page and control of the layout; the outer size
// and the minimum size are the layout's 96-DPI size scaled to the monitor.
WindowHandle CreateMainWindow(const WindowLayout& layout);
// The width of the tab control's client area (GetClientRect of the tab control).
int GetTabControlClientWidth(WindowHandle window);
// TCM_SETITEMSIZE with this width, keeping the tabs' height.
void SetTabWidth(WindowHandle window, int width);
void PostMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace platform
