#include <doctest.h>

#include <atomic>
#include <thread>

#include "../printing.h"
#include "files/csidl_path.h"
#include "info/about.h"
#include "platform/clock_locale.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/resources.h"
#include "platform/shell.h"
#include "platform/win32/handles.h"
#include "platform/window.h"
#include "temp_folder.h"

namespace {

struct LinkSettings {
    std::wstring path, arguments, directory, description, icon;
    WORD hotKey = 0xFFFF;
};

LinkSettings ReadLink(const std::wstring& file) {
    platform::win32::ComPtr<IShellLinkW> link;
    platform::win32::ComPtr<IPersistFile> persist;
    REQUIRE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         link.put_void())));
    REQUIRE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, persist.put_void())));
    REQUIRE(SUCCEEDED(persist->Load(file.c_str(), STGM_READ)));
    LinkSettings settings;
    wchar_t buffer[MAX_PATH + 1] = {};
    int icon = 0;
    link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
    settings.path = buffer;
    buffer[0] = 0;
    link->GetArguments(buffer, MAX_PATH);
    settings.arguments = buffer;
    buffer[0] = 0;
    link->GetWorkingDirectory(buffer, MAX_PATH);
    settings.directory = buffer;
    buffer[0] = 0;
    link->GetDescription(buffer, MAX_PATH);
    settings.description = buffer;
    buffer[0] = 0;
    link->GetIconLocation(buffer, MAX_PATH, &icon);
    settings.icon = buffer;
    link->GetHotkey(&settings.hotKey);
    return settings;
}

}  // namespace

TEST_CASE("a shortcut written into the real Send to folder holds only its target") {
    const std::wstring folder = GetSpecialFolderPath(0, platform::kCsidlSendTo);
    REQUIRE(folder.size() > 3);
    const std::wstring shortcut = folder + L"Velmora.Lnk";
    const std::wstring target = platform::GetModuleFileNameW();
    platform::DeleteFileW(shortcut);
    {
        platform::ShellLink link;
        link.SetPath(target);
        REQUIRE(link.Save(shortcut, false) == 0);
    }
    REQUIRE(platform::FileExists(shortcut));
    const LinkSettings settings = ReadLink(shortcut);
    CHECK(settings.path == target);
    CHECK(settings.arguments == L"");
    CHECK(settings.directory == L"");
    CHECK(settings.description == L"");
    CHECK(settings.icon == L"");
    CHECK(settings.hotKey == 0);

    CHECK(platform::DeleteFileW(shortcut));
    CHECK_FALSE(platform::FileExists(shortcut));
    CHECK_FALSE(platform::DeleteFileW(shortcut));  // already gone
}

TEST_CASE("a save into a folder that does not exist fails") {
    platform::ShellLink link;
    link.SetPath(VELMORA_EXE);
    CHECK(link.Save(LR"(C:\no-such-folder-velmora\Velmora.Lnk)", false) != 0);
}

TEST_CASE("the file version comes from the exe's own fixed version resource") {
    CHECK(GetFileVersionText(VELMORA_EXE) == VELMORA_FILE_VERSION);
    TempFolder folder(L"version");
    WriteFile(folder / L"plain.txt", "no resources here");
    CHECK(GetFileVersionText(folder / L"plain.txt") == L"");
    CHECK(GetFileVersionText(folder / L"missing.exe") == L"");
}

TEST_CASE("the Ukrainian locale gives the nominative month names and the weekday names") {
    REQUIRE(platform::IsLocaleInstalled(platform::kLocaleUkrainian));
    const UkrainianNames names = GetUkrainianNames();
    CHECK(names.months[0] == L"січень");
    CHECK(names.months[2] == L"березень");
    CHECK(names.months[11] == L"грудень");
    CHECK(names.weekdays[0] == L"понеділок");
    CHECK(names.weekdays[4] == L"пʼятниця");
    CHECK(names.weekdays[6] == L"неділя");
    CHECK_FALSE(platform::IsLocaleInstalled(0x7C00));  // not a locale
}

TEST_CASE("the local offset agrees with the system's local and UTC clocks") {
    SYSTEMTIME utc{}, local{};
    ::GetSystemTime(&utc);
    ::GetLocalTime(&local);
    FILETIME utcFile{}, localFile{};
    ::SystemTimeToFileTime(&utc, &utcFile);
    ::SystemTimeToFileTime(&local, &localFile);
    const auto ticks = [](const FILETIME& f) {
        return (static_cast<std::int64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    const std::int64_t measured = (ticks(localFile) - ticks(utcFile)) / 10'000'000;
    const std::int32_t offset = LocalOffsetFromUtc(platform::GetLocalTime());
    CHECK(std::llabs(measured - offset) <= 2);
    CHECK(offset % 900 == 0);
}

// Run with TZ=Europe/Berlin (a ctest entry of its own): Wine follows TZ for its time zone.
TEST_CASE("in Berlin the repeated autumn hour is read as standard time" *
          doctest::skip(!::getenv("VELMORA_BERLIN"))) {
    REQUIRE(platform::GetTimeZoneInformation().bias == -60);
    struct Case {
        platform::SystemTime local;
        std::int32_t offset;
    };
    const Case cases[] = {
        {{2025, 10, 26, 1, 30, 0, 0}, 7200}, {{2025, 10, 26, 2, 30, 0, 0}, 3600},
        {{2025, 10, 26, 3, 30, 0, 0}, 3600}, {{2025, 7, 1, 12, 0, 0, 0}, 7200},
        {{2025, 1, 15, 12, 0, 0, 0}, 3600},
    };
    for (const Case& c : cases) {
        CAPTURE(c.local.hour);
        CHECK(LocalOffsetFromUtc(c.local) == c.offset);
    }
}

TEST_CASE("GradientFill runs white to the end colour, red in the low byte") {
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const platform::win32::unique_gdiobj bitmap(::CreateCompatibleBitmap(screen, 100, 50));
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = ::SelectObject(memory, bitmap.get());
    const platform::Rect client{0, 0, 100, 50};
    const auto paint = [&](std::uint32_t colour) {
        const Gradient gradient = AboutGradient(client, colour);
        REQUIRE(platform::GradientFill(reinterpret_cast<platform::PaintSurface>(memory), gradient.topLeft,
                                       gradient.bottomRight, gradient.mode));
    };
    const auto similar = [](COLORREF a, COLORREF b) {
        for (int shift = 0; shift < 24; shift += 8)
            if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8)
                return false;
        return true;
    };
    paint(0x0000FF);  // odd: red at the right edge
    CHECK(similar(::GetPixel(memory, 0, 25), 0xFFFFFF));
    CHECK(similar(::GetPixel(memory, 99, 25), 0x0000FF));
    CHECK(similar(::GetPixel(memory, 99, 0), 0x0000FF));
    paint(0xFF0000);  // even: blue along the bottom
    CHECK(similar(::GetPixel(memory, 50, 0), 0xFFFFFF));
    CHECK(similar(::GetPixel(memory, 50, 49), 0xFF0000));
    CHECK(similar(::GetPixel(memory, 0, 49), 0xFF0000));
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
}

namespace {

std::atomic<int> paints{0};
void CountPaint(platform::WindowHandle sender, platform::PaintSurface surface) {
    ++paints;
    AboutBoxPaint(sender, surface);
}

struct SeenDialog {
    bool found = false;
    LONG_PTR style = 0;
    std::wstring text, button;
    bool buttonIsDefault = false;
    RECT frame{}, work{};
    int defaultId = 0;
};

}  // namespace

TEST_CASE("the information dialog: no caption-bar buttons, transparent text, &OK default, Esc closes it" *
          doctest::test_suite("scaled")) {
    const std::wstring caption = L"Velmora dialog test";
    const std::wstring text = L"Velmora V2.1 (2.1.1.0) Release Build\r\nline two\r\n";
    SeenDialog seen;
    paints = 0;
    std::thread watcher([&] {
        HWND dialog = nullptr;
        for (int i = 0; i < 500 && !dialog; ++i) {
            dialog = ::FindWindowW(L"#32770", caption.c_str());
            if (!dialog) ::Sleep(10);
        }
        if (!dialog) return;
        ::Sleep(200);
        seen.found = true;
        seen.style = ::GetWindowLongPtrW(dialog, GWL_STYLE);
        wchar_t buffer[512] = {};
        ::GetWindowTextW(::GetDlgItem(dialog, 0xFFFF), buffer, 512);
        seen.text = buffer;
        ::GetWindowTextW(::GetDlgItem(dialog, IDOK), buffer, 512);
        seen.button = buffer;
        seen.buttonIsDefault =
            (::GetWindowLongPtrW(::GetDlgItem(dialog, IDOK), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
        seen.defaultId = LOWORD(::SendMessageW(dialog, DM_GETDEFID, 0, 0));
        ::GetWindowRect(dialog, &seen.frame);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor);
        seen.work = monitor.rcWork;
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // what Esc sends
    });
    platform::ShowInformationDialog(0, caption, text, CountPaint);
    watcher.join();
    REQUIRE(seen.found);
    CHECK((seen.style & WS_SYSMENU) == 0);
    CHECK((seen.style & WS_CAPTION) == WS_CAPTION);
    CHECK(seen.text == text);
    CHECK(seen.button == L"&OK");
    CHECK(seen.buttonIsDefault);
    CHECK(seen.defaultId == IDOK);
    CHECK(seen.frame.left >= seen.work.left);
    CHECK(seen.frame.top >= seen.work.top);
    CHECK(paints > 0);
}
