#include <doctest.h>

#include <algorithm>
#include <filesystem>

#include "../printing.h"
#include "app/form.h"
#include "box_closer.h"
#include "platform/clock_locale.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/win32/win32.h"
#include "platform/window.h"
#include "settings/settings_path.h"
#include "settings/text_encoding.h"
#include "temp_folder.h"

namespace {

std::string ReadBytes(const std::wstring& path) { return platform::ReadFileBytes(path); }

// The per-user settings file of this test program, removed before and after each test.
struct SettingsFile {
    std::wstring path = GetSettingsFileName();
    SettingsFile() { Remove(); }
    ~SettingsFile() { Remove(); }
    void Remove() const {
        ::DeleteFileW(path.c_str());
        ::DeleteFileW(FallbackSettingsFileName().c_str());
    }
    void Write(const std::string& bytes) const { WriteFile(path, bytes); }
};

// The real main window, created hidden and set up by FormCreate as at a start.
struct RealWindow {
    TForm1 form;
    RealWindow() {
        Form1 = &form;
        form.Create();
    }
    ~RealWindow() {
        form.Destroy();
        Form1 = nullptr;
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    HWND hwnd() const { return platform::win32::ToHwnd(form.Handle()); }
    RECT normal() const {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ::GetWindowPlacement(hwnd(), &placement);
        return placement.rcNormalPosition;
    }
};

// A side of the window's normal rectangle once its minimum size (280 at 96 DPI) applied.
LONG Grown(LONG side) {
    return std::max<LONG>(side, ::MulDiv(280, static_cast<int>(::GetDpiForSystem()), 96));
}

}  // namespace

TEST_CASE("the settings path is under the roaming folder") {
    wchar_t roaming[MAX_PATH] = {};
    REQUIRE(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, roaming) == S_OK);
    CHECK(GetSettingsFileName() == std::wstring(roaming) + L"\\Quorrin\\win32_tests\\win32_tests.ini");
}

TEST_CASE("the placement read from the file is applied to the real window" * doctest::test_suite("scaled")) {
    SettingsFile file;
    file.Write("[POSITION]\r\nLeft=100\r\nTop=120\r\nRight=520\r\nBottom=540\r\n");
    RealWindow window;
    const RECT normal = window.normal();
    CHECK(normal.left == 100);
    CHECK(normal.top == 120);
    CHECK(normal.right == 100 + Grown(420));
    CHECK(normal.bottom == 120 + Grown(420));
}

namespace {

// Stands in for a monitor of twice the DPI: the first time SetWindowPlacement moves a main
// window, Windows tells it of the new DPI with the rectangle scaled from the old monitor.
bool dpiChangeArmed = false;
LRESULT CALLBACK SendDpiChangeOnMove(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    wchar_t name[32] = {};
    if (code == HC_ACTION && dpiChangeArmed && message->message == WM_WINDOWPOSCHANGED &&
        ::GetClassNameW(message->hwnd, name, 32) && std::wstring(name) == L"TForm1") {
        dpiChangeArmed = false;
        RECT window{};
        ::GetWindowRect(message->hwnd, &window);
        RECT doubled{window.left, window.top, window.left + 2 * (window.right - window.left),
                     window.top + 2 * (window.bottom - window.top)};
        const UINT dpi = 2 * ::GetDpiForSystem();
        ::SendMessageW(message->hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&doubled));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST_CASE("a placement restored onto a monitor of another DPI keeps the size it was saved with" *
          doctest::test_suite("scaled")) {
    SettingsFile file;
    file.Write("[POSITION]\r\nLeft=100\r\nTop=120\r\nRight=700\r\nBottom=760\r\n");
    const HHOOK hook =
        ::SetWindowsHookExW(WH_CALLWNDPROCRET, SendDpiChangeOnMove, nullptr, ::GetCurrentThreadId());
    REQUIRE(hook != nullptr);
    dpiChangeArmed = true;
    RealWindow window;
    ::UnhookWindowsHookEx(hook);
    CHECK_FALSE(dpiChangeArmed);  // the change did arrive while the placement was applied
    const RECT normal = window.normal();
    CHECK(normal.left == 100);
    CHECK(normal.top == 120);
    CHECK(normal.right == 700);
    CHECK(normal.bottom == 760);

    // A change that comes later, as the user drags the window across, takes the suggestion.
    RECT suggested{50, 60, 50 + 900, 60 + 950};
    ::SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    RECT now{};
    ::GetWindowRect(window.hwnd(), &now);
    CHECK(now.left == 50);
    CHECK(now.right == 950);
    CHECK(now.bottom == 1010);
}

TEST_CASE("without a file the window goes to the default place in the work area" *
          doctest::test_suite("scaled")) {
    SettingsFile file;
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RealWindow window;
    const RECT normal = window.normal();
    const LONG top = (area.bottom - area.top) / 3;
    CHECK(normal.top == top);
    CHECK(normal.bottom == top + Grown(top));
    CHECK(normal.right == normal.left + Grown(top));
}

TEST_CASE("a hand-written STATE=2 or state=2 starts the window maximized" * doctest::test_suite("scaled")) {
    for (const char* key : {"STATE", "state"}) {
        CAPTURE(key);
        SettingsFile file;
        file.Write(std::string("[position]\r\n") + key + "=2\r\n");
        RealWindow window;
        CHECK(window.form.State() == WindowState::Maximized);
        CHECK(::IsZoomed(window.hwnd()));
    }
}

TEST_CASE("what SaveSettings writes, the profile reader reads back, in every encoding" *
          doctest::test_suite("scaled")) {
    struct Case {
        const char* name;
        std::string existing;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"new file", "", DetectEncoding(::GetACP() == 65001 ? "\xEF\xBB\xBF" : "")},
        {"UTF-8 with mark", "\xEF\xBB\xBF[Keep]\r\nk=v\r\n", TextEncoding::Utf8},
        {"UTF-16LE with mark", EncodeText(L"[Keep]\r\nk=v\r\n", TextEncoding::Utf16Le, 0),
         TextEncoding::Utf16Le},
        {"UTF-16BE with mark", EncodeText(L"[Keep]\r\nk=v\r\n", TextEncoding::Utf16Be, 0),
         TextEncoding::Utf16Be},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        SettingsFile file;
        if (!c.existing.empty()) file.Write(c.existing);
        {
            RealWindow window;
            window.form.SetChecked(ControlId::CheckBoxSaveStatus, true);
            window.form.SetChecked(ControlId::CheckBoxCloseQuery, true);
            ::SetWindowPos(window.hwnd(), nullptr, 40, 50, 300, 310, SWP_NOZORDER | SWP_NOACTIVATE);
            window.form.SaveSettings();
        }
        const std::string bytes = ReadBytes(file.path);
        CHECK(DetectEncoding(bytes) == c.encoding);
        const auto read = [&](const wchar_t* section, const wchar_t* key) {
            return platform::GetPrivateProfileStringW(section, key, L"?", 2048, file.path);
        };
        // Wine reads the UTF-16BE mark too; what matters is that the reader and the writer agree.
        CHECK(read(L"PROGRAM", L"Version") == L"V2.1");
        CHECK(read(L"PROGRAM", L"IniFile") == file.path);
        CHECK(read(L"POSITION", L"Left") == L"40");
        CHECK(read(L"POSITION", L"Bottom") == std::to_wstring(50 + Grown(310)));
        CHECK(read(L"MODE", L"CloseQuery") == L"1");
        if (!c.existing.empty()) CHECK(read(L"Keep", L"k") == L"v");

        RealWindow again;
        CHECK(again.normal().left == 40);
        CHECK(again.normal().bottom == 50 + Grown(310));
        CHECK(again.form.IsChecked(ControlId::CheckBoxCloseQuery));
        CHECK(again.form.IsChecked(ControlId::CheckBoxSaveStatus));
    }
}

TEST_CASE("a settings file that cannot be replaced keeps its content and the close is refused") {
    SettingsFile file;
    file.Write("[PROGRAM]\r\nName=old\r\n");
    // Another program holds the file open without letting it be deleted or renamed over.
    const HANDLE held =
        ::CreateFileW(file.path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    std::wstring shown;
    {
        RealWindow window;
        BoxCloser closer;
        CHECK_FALSE(window.form.FormCloseQuery());
        const std::vector<std::wstring> texts = closer.Texts();
        REQUIRE(texts.size() == 1);
        shown = texts[0];
        CHECK((::GetWindowLongW(window.hwnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0);
    }
    ::CloseHandle(held);
    CHECK(ReadBytes(file.path) == "[PROGRAM]\r\nName=old\r\n");
    CHECK(::GetFileAttributesW((file.path + L".new").c_str()) == INVALID_FILE_ATTRIBUTES);
    CHECK(shown.rfind(L"Cannot create file \"" + file.path + L"\". ", 0) == 0);
}

TEST_CASE(
    "LastClose is the close's local time in the user's short date and long time, as the system has them") {
    SettingsFile file;
    SYSTEMTIME before{}, after{};
    ::GetLocalTime(&before);
    {
        RealWindow window;
        window.form.SaveSettings();
    }
    ::GetLocalTime(&after);
    const std::wstring written =
        platform::GetPrivateProfileStringW(L"PROGRAM", L"LastClose", L"", 2048, file.path);
    CAPTURE(written);
    // Any whole second from just before the close to just after it, formatted by the system.
    FILETIME from{}, to{};
    before.wMilliseconds = 0;
    ::SystemTimeToFileTime(&before, &from);
    ::SystemTimeToFileTime(&after, &to);
    ULARGE_INTEGER tick{{from.dwLowDateTime, from.dwHighDateTime}};
    const ULARGE_INTEGER last{{to.dwLowDateTime, to.dwHighDateTime}};
    bool matched = false;
    for (; tick.QuadPart <= last.QuadPart && !matched; tick.QuadPart += 10'000'000) {
        const FILETIME moment{tick.LowPart, tick.HighPart};
        SYSTEMTIME local{};
        ::FileTimeToSystemTime(&moment, &local);
        wchar_t date[128] = {}, time[128] = {};
        ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date, 128);
        ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &local, nullptr, time, 128);
        matched = written == std::wstring(date) + L" " + time;
    }
    CHECK(matched);
}
