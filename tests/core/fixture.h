#pragma once
// Every core test starts on a fresh fake machine with empty session state.

#include "../printing.h"
#include "app/application.h"
#include "app/form.h"
#include "app/session.h"
#include "platform/fake/fake_platform.h"

struct FreshMachine {
    FreshMachine() {
        fake::Reset();
        SourceFileName.clear();
        SourceUrl.clear();
        SaveFileName.clear();
        SessionEnding = false;
        ApplicationTitle = L"Velmora";
        StartupLocale = platform::kLocaleEnglishUs;
        Form1 = nullptr;
    }
    ~FreshMachine() { Form1 = nullptr; }
    fake::State& machine = fake::Platform();
};
