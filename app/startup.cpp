#include "app/application.h"
#include "app/form.h"
#include "app/messages.h"
#include "platform/clock_locale.h"
#include "platform/process.h"

std::wstring ApplicationTitle;
std::uint32_t StartupLocale = platform::kLocaleEnglishUs;

namespace {

// After FormCreate the launcher's show command is the window's recorded state. A maximized
// start was the window's first show already (FormCreate); hidden, in command-line mode, the
// window only records it. A minimized start only records the state, with no show call.
void ApplyStartupShowCommand(TForm1& form) {
    if (form.LauncherShowCommand() == platform::ShowCommand::ShowMaximized)
        form.RecordWindowState(WindowState::Maximized);
    else if (form.LauncherShowCommand() == platform::ShowCommand::ShowMinNoActive)
        form.RecordWindowState(WindowState::Minimized);
}

}  // namespace

int RunApplication() {
    // Before anything loads a library: the system folder only, never the exe's or the current one.
    platform::SetDefaultDllDirectories(platform::kLoadLibrarySearchSystem32);
    if (const std::uint32_t locale = platform::GetThreadLocale(); locale != 0) StartupLocale = locale;
    // Single-threaded apartment before any window: the shell-link objects need it.
    const bool comInitialised = platform::CoInitialize();

    TForm1 form;
    Form1 = &form;
    // Read once, before the window is first shown: that show already takes a maximized start.
    form.SetLauncherShowCommand(platform::GetStartupShowCommand());
    int exitCode = 1;
    // An error that interrupts FormCreate is reported, and then the process ends: the window
    // was never shown and no quit was requested, so running the loop would hang invisibly.
    if (RunCommand([&] { form.Create(); })) {
        ApplyStartupShowCommand(form);
        exitCode = form.RunMessageLoop();
    }
    form.Destroy();
    Form1 = nullptr;

    if (comInitialised) platform::CoUninitialize();
    return exitCode;
}
