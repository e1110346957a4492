#include <doctest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <set>

#include "app/random.h"
#include "app/texts.h"
#include "fixture.h"

namespace {

using Calls = std::vector<std::string>;

// Where a call was first (or last) made; the end of the log when it never was.
std::size_t First(const Calls& calls, const char* name) {
    return static_cast<std::size_t>(std::find(calls.begin(), calls.end(), name) - calls.begin());
}
std::size_t Last(const Calls& calls, const char* name) {
    const auto found = std::find(calls.rbegin(), calls.rend(), name);
    return found == calls.rend() ? calls.size() : static_cast<std::size_t>(calls.rend() - found - 1);
}

// The orders start-up depends on, whichever mode it takes: COM before the window, the
// launcher's show command read once before the window is made, the window and its drop
// registration before the settings are read, the settings before the command line, then the
// loop, the window gone, COM last.
void CheckStartupOrder(const Calls& calls) {
    CAPTURE(calls);
    for (const char* made :
         {"GetThreadLocale", "CoInitialize", "GetStartupShowCommand", "CreateMainWindow",
          "QueryPerformanceCounter", "SetWindowTextW", "DragAcceptFiles", "GetWindowPlacement",
          "SetWindowPlacement", "GetPrivateProfileStringW", "CheckControl", "GetCommandLineW",
          "RunMessageLoop", "DestroyWindow", "CoUninitialize"})
        REQUIRE(First(calls, made) < calls.size());  // an order says nothing about a call not made
    // Before any library can be loaded, the process looks for them in the system folder only.
    CHECK(calls.front() == "SetDefaultDllDirectories");
    CHECK(fake::Platform().defaultDllDirectories == std::vector<std::uint32_t>{0x800});
    CHECK(First(calls, "GetThreadLocale") < First(calls, "CoInitialize"));
    CHECK(First(calls, "CoInitialize") < First(calls, "CreateMainWindow"));
    CHECK(First(calls, "CreateMainWindow") < First(calls, "QueryPerformanceCounter"));
    CHECK(First(calls, "QueryPerformanceCounter") < First(calls, "SetWindowTextW"));
    CHECK(First(calls, "SetWindowTextW") < First(calls, "DragAcceptFiles"));
    CHECK(First(calls, "DragAcceptFiles") < First(calls, "GetWindowPlacement"));
    CHECK(First(calls, "SetWindowPlacement") < Last(calls, "GetPrivateProfileStringW"));
    CHECK(Last(calls, "CheckControl") < First(calls, "GetCommandLineW"));
    CHECK(First(calls, "GetStartupShowCommand") < First(calls, "CreateMainWindow"));
    CHECK(First(calls, "GetCommandLineW") < First(calls, "RunMessageLoop"));
    CHECK(First(calls, "RunMessageLoop") < First(calls, "DestroyWindow"));
    CHECK(Last(calls, "CoUninitialize") == calls.size() - 1);
    for (const char* once :
         {"GetCommandLineW", "GetStartupShowCommand", "RunMessageLoop", "CreateMainWindow"})
        CHECK(std::count(calls.begin(), calls.end(), once) == 1);
}

const fake::Window& OnlyWindow(const fake::State& machine) {
    REQUIRE(machine.windows.size() == 1);
    return machine.windows.begin()->second;
}

}  // namespace

TEST_CASE("one argument: the URL goes to the shell and the process ends without a window") {
    FreshMachine m;
    m.machine.commandLine = LR"("C:\Tools\Velmora.exe" C:\Mirror\www.example.com\docs\page.html)";
    ApplicationTitle.clear();  // as a new process has it

    CHECK(RunApplication() == 0);
    CHECK(Form1 == nullptr);

    const Calls& calls = m.machine.calls;
    CheckStartupOrder(calls);
    // The path is prepared and converted after the command line is read, and the quit is the
    // last thing FormCreate asks for.
    CHECK(First(calls, "GetCommandLineW") < First(calls, "LCMapStringW"));
    CHECK(First(calls, "LCMapStringW") < First(calls, "ShellExecuteW"));
    CHECK(First(calls, "ShellExecuteW") < First(calls, "PostQuitMessage"));
    CHECK(First(calls, "PostQuitMessage") < First(calls, "RunMessageLoop"));
    REQUIRE(m.machine.shellExecutes.size() == 1);
    const fake::ShellExecuteCall& call = m.machine.shellExecutes[0];
    CHECK(call.owner == m.machine.windows.begin()->first);
    CHECK(call.verb == L"open");
    CHECK(call.file == L"http://www.example.com/docs/page.html");
    CHECK_FALSE(call.parameters.has_value());
    CHECK_FALSE(call.directory.has_value());
    CHECK(call.show == platform::ShowCommand::ShowNormal);
    CHECK(m.machine.quitPosted == 0);
    CHECK(m.machine.boxes.empty());

    const fake::Window& window = OnlyWindow(m.machine);
    CHECK(window.shows.empty());
    CHECK(window.caption == L"Velmora");
    CHECK(window.acceptsDrops);
    CHECK(SourceFileName == LR"(C:\Mirror\www.example.com\docs\page.html)");
    CHECK(SourceUrl.empty());
}

TEST_CASE("two arguments: the notice comes first, then only the first is converted") {
    FreshMachine m;
    m.machine.commandLine = LR"(Velmora.exe C:\My Mirror\www.example.com\a.html)";

    CHECK(RunApplication() == 0);

    REQUIRE(m.machine.boxes.size() == 1);
    const fake::BoxCall& notice = m.machine.boxes[0];
    CHECK(notice.kind == fake::BoxCall::Kind::TaskDialog);
    CHECK(notice.text == kSeveralFilesNotice);
    CHECK(notice.caption == L"Velmora");
    CHECK(notice.owner == 0);  // the window is hidden in this mode
    const Calls& calls = m.machine.calls;
    CheckStartupOrder(calls);
    CHECK(First(calls, "TaskDialogIndirect") < First(calls, "ShellExecuteW"));  // the notice first
    CHECK(First(calls, "ShellExecuteW") < First(calls, "PostQuitMessage"));
    REQUIRE(m.machine.shellExecutes.size() == 1);
    CHECK(m.machine.shellExecutes[0].file == L"http://");
    CHECK(SourceFileName == LR"(C:\My)");
}

TEST_CASE("a shortcut argument opens its target's URL") {
    FreshMachine m;
    m.machine.commandLine = LR"(Velmora.exe "C:\Links\Docs Page.LNK")";
    fake::FileEntry link;
    link.shortcutTarget = LR"(C:\MIRROR~1\WWWEXA~1.COM\docs\page.html)";
    m.machine.files[LR"(C:\Links\Docs Page.LNK)"] = link;
    m.machine.longNames[LR"(C:\MIRROR~1\WWWEXA~1.COM\docs\page.html)"] =
        LR"(C:\Mirror Copies\www.example.com\docs\page.html)";

    CHECK(RunApplication() == 0);

    REQUIRE(m.machine.shellExecutes.size() == 1);
    CHECK(m.machine.shellExecutes[0].file == L"http://www.example.com/docs/page.html");
    CHECK(SourceFileName == LR"(C:\Mirror Copies\www.example.com\docs\page.html)");
    CHECK(SourceUrl.empty());
}

TEST_CASE("no argument: the File page comes to the front and the window is shown") {
    FreshMachine m;

    CHECK(RunApplication() == 0);

    const Calls& calls = m.machine.calls;
    CheckStartupOrder(calls);
    // The File page is put in front before the window shows; nothing is converted or quit.
    CHECK(First(calls, "GetCommandLineW") < First(calls, "SetActivePage"));
    CHECK(First(calls, "SetTabWidth") < First(calls, "ShowWindow"));
    CHECK(First(calls, "SetActivePage") < First(calls, "ShowWindow"));
    CHECK(First(calls, "ShowWindow") < First(calls, "SetForegroundWindow"));
    CHECK(First(calls, "SetForegroundWindow") < First(calls, "RunMessageLoop"));
    const fake::Window& window = OnlyWindow(m.machine);
    CHECK(window.width96 == 280);
    CHECK(window.height96 == 280);
    CHECK(window.pages == std::vector<std::wstring>{L"ファイル", L"設 定", L"ヘルプ"});
    CHECK(window.activePage == static_cast<int>(Page::TabSheetFile));
    CHECK(window.shows == std::vector{platform::ShowCommand::ShowNormal});
    CHECK_FALSE(m.machine.quitPosted.has_value());
    CHECK(m.machine.shellExecutes.empty());
}

TEST_CASE("the launcher's show command: a maximized start is the first show, a minimized one only recorded") {
    FreshMachine m;
    // The state the window holds while the message loop runs.
    std::optional<WindowState> running;
    m.machine.duringMessageLoop = [&] { running = Form1->State(); };
    SUBCASE("a maximized start shows the window maximized once, whatever state the file holds") {
        m.machine.startupShowCommand = platform::ShowCommand::ShowMaximized;
        m.machine.files[LR"(C:\Tools\Velmora.ini)"].bytes = "[POSITION]\r\nState=1\r\n";
        RunApplication();
        CHECK(OnlyWindow(m.machine).shows == std::vector{platform::ShowCommand::ShowMaximized});
        CHECK(running == WindowState::Maximized);
    }
    SUBCASE("a minimized start shows the restored state and only records the minimized one") {
        m.machine.startupShowCommand = platform::ShowCommand::ShowMinNoActive;
        RunApplication();
        CHECK(OnlyWindow(m.machine).shows == std::vector{platform::ShowCommand::ShowNormal});
        CHECK(running == WindowState::Minimized);
    }
    SUBCASE("a normal start keeps the state the file holds") {
        m.machine.startupShowCommand = platform::ShowCommand::ShowNormal;
        RunApplication();
        CHECK(running == WindowState::Normal);
    }
    SUBCASE("in command-line mode a maximized start keeps the window hidden") {
        m.machine.commandLine = LR"(Velmora.exe C:\Mirror\www.example.com\a.html)";
        m.machine.startupShowCommand = platform::ShowCommand::ShowMaximized;
        RunApplication();
        CHECK(OnlyWindow(m.machine).shows.empty());
    }
}

TEST_CASE("the state recorded from the show command waits for the window to be shown") {
    FreshMachine m;
    m.machine.commandLine = LR"(Velmora.exe C:\Mirror\www.example.com\a.html)";
    TForm1 form;
    Form1 = &form;
    form.Create();
    form.SetWindowState(WindowState::Maximized);
    CHECK(form.State() == WindowState::Maximized);
    CHECK(OnlyWindow(m.machine).shows.empty());
    form.RecordWindowState(WindowState::Minimized);
    CHECK(form.State() == WindowState::Minimized);
    form.Destroy();
}

TEST_CASE("each start seeds the colours from the clock: the performance counter, else the tick count") {
    // The first colours drawn after a start, for a machine whose clocks read as given.
    const auto colours = [](bool counter, std::int64_t count, std::uint32_t ticks) {
        FreshMachine m;
        m.machine.performanceCounterAvailable = counter;
        m.machine.performanceCounter = count;
        m.machine.tickCount = ticks;
        RunApplication();
        CHECK(std::count(m.machine.calls.begin(), m.machine.calls.end(), "GetTickCount") ==
              (counter ? 0 : 1));
        std::vector<std::uint32_t> drawn;
        for (int i = 0; i < 4; ++i) drawn.push_back(Random(0xFFFFFF));
        return drawn;
    };
    CHECK(colours(true, 1, 5) == colours(true, 1, 6));
    CHECK(colours(true, 1, 5) != colours(true, 2, 5));
    CHECK(colours(false, 1, 5) == colours(false, 2, 5));
    CHECK(colours(false, 1, 5) != colours(false, 1, 6));
}

TEST_CASE("a platform error in FormCreate is reported and the process ends non-zero") {
    FreshMachine m;
    m.machine.commandLine = LR"(Velmora.exe C:\Links\page.lnk)";
    m.machine.shellLinkUnavailable = true;

    CHECK(RunApplication() != 0);

    REQUIRE(m.machine.boxes.size() == 1);
    const fake::BoxCall& box = m.machine.boxes[0];
    CHECK(box.kind == fake::BoxCall::Kind::MessageBox);
    CHECK(box.caption == L"Velmora");
    CHECK(box.text == L"Class not registered.");
    CHECK(box.flags == (platform::kMbOk | platform::kMbIconError));
    CHECK(m.machine.shellExecutes.empty());
    CHECK(std::count(m.machine.calls.begin(), m.machine.calls.end(), "RunMessageLoop") == 0);
    CHECK(OnlyWindow(m.machine).destroyed);
    CHECK(m.machine.coUninitializeCount == 1);
    CHECK(SourceFileName.empty());
}

TEST_CASE("a window that cannot be created is reported the same way") {
    FreshMachine m;
    m.machine.createWindowError = L"Error creating window class";
    CHECK(RunApplication() == 1);
    REQUIRE(m.machine.boxes.size() == 1);
    CHECK(m.machine.boxes[0].text == L"Error creating window class.");
}

TEST_CASE("COM that could not be initialised is not uninitialised") {
    FreshMachine m;
    m.machine.coInitializeSucceeds = false;
    RunApplication();
    CHECK(m.machine.coUninitializeCount == 0);
}

TEST_CASE("the thread's locale at start decides how names are compared; none leaves the default") {
    for (const std::uint32_t locale : {0x041Fu, 0u}) {
        FreshMachine m;
        m.machine.threadLocale = locale;
        RunApplication();
        CHECK(StartupLocale == (locale != 0 ? locale : platform::kLocaleEnglishUs));
    }
}

TEST_CASE("Random(n) draws every value below n and no other; every bit of the seed counts") {
    Randomize(1);
    for (const std::uint32_t range : {1u, 2u, 3u}) {
        std::set<std::uint32_t> seen;
        for (int i = 0; i < 200; ++i) seen.insert(Random(range));
        CHECK(seen.size() == range);
        CHECK(*seen.rbegin() == range - 1);
    }
    const auto drawn = [](std::uint64_t seed) {
        Randomize(seed);
        return std::array{Random(0xFFFFFF), Random(0xFFFFFF)};
    };
    const auto fromZero = drawn(0);
    for (int bit = 0; bit < 64; ++bit) CHECK(drawn(std::uint64_t{1} << bit) != fromZero);
}
