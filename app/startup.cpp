#include "app/application.h"
#include "app/form.h"
#include "app/messages.h"
#include "platform/clock_locale.h"
#include "platform/process.h"

std::wstring ApplicationTitle;
std::uint32_t StartupLocale = platform::kLocaleEnglishUs;

namespace {

// After FormCreate the launcher's show command puts the window in its state: a maximized start
// maximizes the window (a hidden one only records it; a shown one is maximized already), a
// minimized start only records the state.
void ApplyStartupShowCommand(TForm1& form, platform::ShowCommand show) {
    switch (show) {
        case platform::ShowCommand::ShowMaximized:
            if (form.State() != WindowState::Maximized) form.SetWindowState(WindowState::Maximized);
            break;
        case platform::ShowCommand::ShowMinNoActive:
            form.RecordWindowState(WindowState::Minimized);
            break;
        default:
            break;
    }
}

}  // namespace

int RunApplication() {
    if (const std::uint32_t locale = platform::GetThreadLocale(); locale != 0) StartupLocale = locale;
    // Single-threaded apartment before any window: the shell-link objects need it.
    const bool comInitialised = platform::CoInitialize();

    TForm1 form;
    Form1 = &form;
    // Read once, before the window is first shown: that show already takes a maximized start.
    const platform::ShowCommand launcherShow = platform::GetStartupShowCommand();
    form.SetLauncherShowCommand(launcherShow);
    int exitCode = 1;
    // An error that interrupts FormCreate is reported, and then the process ends: the window
    // was never shown and no quit was requested, so running the loop would hang invisibly.
    if (RunCommand([&] { form.Create(); })) {
        ApplyStartupShowCommand(form, launcherShow);
        exitCode = form.RunMessageLoop();
    }
    form.Destroy();
    Form1 = nullptr;

    if (comInitialised) platform::CoUninitialize();
    return exitCode;
}
