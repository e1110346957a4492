// The floor of the window-up benchmark: the same main window made from the same table by the
// same platform code, shown, and nothing of the program around it (no settings file, no
// command line, no session). What Velmora takes beyond this to show its window is its own.
#include "app/layout.h"
#include "platform/window.h"

namespace {

// Answers the window as plainly as possible: a close closes, and that is all.
struct PlainEvents final : platform::WindowEvents {
    platform::WindowHandle window = 0;
    void MessageQueued(const platform::QueuedMessage&, bool&) override {}
    void CommandChosen(int) override {}
    void FilesDropped(platform::UniqueDrop) override {}
    void CloseRequested() override { platform::DestroyWindow(window); }
    bool EndSessionQueried() override { return true; }
    void StateChanged(platform::WindowState) override {}
    void Resized() override {}
    void ErrorRaised(const platform::Error&) override {}
};

}  // namespace

extern "C" int wWinMain(void*, void*, wchar_t*, int) {
    PlainEvents events;
    events.window = platform::CreateMainWindow(MainWindowLayout(), events);
    platform::SetWindowTextW(events.window, L"Velmora");
    platform::ShowWindow(events.window, platform::ShowCommand::ShowNormal);
    return platform::RunMessageLoop(events.window, events);
}
