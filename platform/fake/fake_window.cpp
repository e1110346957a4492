// The fake main window: its states by control id, the placement, and the message loop. The
// window procedure, as far as the fake needs one, is the events the program handed over.
#include "platform/fake/fake_platform.h"

namespace platform {

using fake::Log;
using fake::Platform;

namespace {
fake::MainWindowMachine& Machine() { return Platform().mainWindow; }
}  // namespace

WindowHandle CreateMainWindow(const WindowLayout& layout, WindowEvents& events) {
    Log("CreateMainWindow");
    if (Platform().createWindowError) throw Error(*Platform().createWindowError);
    const WindowHandle handle = Platform().nextWindow++;
    fake::Window& window = Platform().windows[handle];
    window.events = &events;
    window.width96 = layout.width96;
    window.height96 = layout.height96;
    for (const PageLayout& page : layout.pages) window.pages.push_back(page.caption);
    for (const ControlLayout& control : layout.controls) window.enabled[control.id] = control.enabled;
    Machine().layout = layout;
    return handle;
}

void DestroyWindow(WindowHandle window) {
    Log("DestroyWindow");
    fake::TheWindow(window).destroyed = true;
    fake::TheWindow(window).visible = false;
}

void SetWindowTextW(WindowHandle window, const std::wstring& text) {
    Log("SetWindowTextW");
    fake::TheWindow(window).caption = text;
}

void ShowWindow(WindowHandle window, ShowCommand show) {
    Log("ShowWindow");
    fake::Window& target = fake::TheWindow(window);
    target.shows.push_back(show);
    target.visible = show != ShowCommand::Hide;
}

bool IsWindowVisible(WindowHandle window) {
    const auto found = Platform().windows.find(window);
    return found != Platform().windows.end() && found->second.visible;
}

void SetForegroundWindow(WindowHandle) { Log("SetForegroundWindow"); }

void SetActivePage(WindowHandle window, int page) {
    Log("SetActivePage");
    fake::TheWindow(window).activePage = page;
}

void EnableControl(WindowHandle window, int controlId, bool enabled) {
    Log("EnableControl");
    fake::TheWindow(window).enabled[controlId] = enabled;
}

bool IsControlEnabled(WindowHandle window, int controlId) {
    const fake::Window& target = fake::TheWindow(window);
    const auto found = target.enabled.find(controlId);
    return found == target.enabled.end() || found->second;
}

void CheckControl(WindowHandle window, int controlId, bool checked) {
    Log("CheckControl");
    fake::TheWindow(window).checked[controlId] = checked;
}

bool IsControlChecked(WindowHandle window, int controlId) {
    const fake::Window& target = fake::TheWindow(window);
    const auto found = target.checked.find(controlId);
    return found != target.checked.end() && found->second;
}

int GetTabControlClientWidth(WindowHandle) {
    Log("GetTabControlClientWidth");
    return Machine().tabClientWidth;
}

void SetTabWidth(WindowHandle, int width) {
    Log("SetTabWidth");
    Machine().tabWidths.push_back(width);
}

Rect GetClientRect(WindowHandle window) {
    Log("GetClientRect");
    const auto found = Platform().info.clientRects.find(window);
    return found == Platform().info.clientRects.end() ? Rect{} : found->second;
}

void PostMessageW(WindowHandle, std::uint32_t message, std::uintptr_t, std::intptr_t) {
    Log("PostMessageW");
    Machine().postedMessages.push_back(message);
}

// A drop sent to a window reaches what its program handed over, as the window procedure would
// take it.
std::intptr_t SendMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    Log("SendMessageW");
    Platform().download.sentMessages.push_back({window, message, wParam, lParam});
    const auto found = Platform().windows.find(window);
    if (found != Platform().windows.end() && found->second.events && message == kWmDropFiles)
        found->second.events->FilesDropped(UniqueDrop(static_cast<DropHandle>(wParam)));
    return 0;
}

void RestoreApplication(WindowHandle) {
    Log("RestoreApplication");
    ++Platform().download.restores;
}

bool GetWindowPlacement(WindowHandle, WindowPlacement& placement) {
    Log("GetWindowPlacement");
    Machine().placementLengthsAsked.push_back(placement.length);
    placement = Machine().placement;
    return true;
}

bool SetWindowPlacement(WindowHandle, const WindowPlacement& placement) {
    Log("SetWindowPlacement");
    Machine().placementsSet.push_back(placement);
    Machine().placement = placement;
    return true;
}

bool SystemParametersInfoWorkArea(Rect& workArea) {
    Log("SystemParametersInfoWorkArea");
    workArea = Machine().workArea;
    return true;
}

int GetSystemMetrics(int index) {
    Log("GetSystemMetrics");
    if (index == kSmCxScreen) return Platform().info.screenWidth;
    if (index == kSmCyScreen) return Platform().info.screenHeight;
    return 0;
}

int RunMessageLoop(WindowHandle, WindowEvents&) {
    Log("RunMessageLoop");
    if (Platform().duringMessageLoop) Platform().duringMessageLoop();
    return Platform().quitPosted.value_or(0);
}

// What a test scripted for this pump runs as the messages that were waiting.
void ProcessMessages(WindowHandle, WindowEvents&) {
    Log("ProcessMessages");
    const int pump = ++Platform().download.pumps;
    if (const auto action = Platform().download.onPump.find(pump);
        action != Platform().download.onPump.end()) {
        const std::function<void()> run = action->second;
        run();
    }
}

}  // namespace platform
