#include <doctest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "../printing.h"
#include "app/form.h"
#include "app/layout.h"
#include "platform/clock_locale.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32.h"
#include "platform/window.h"
#include "recording_events.h"
#include "settings/settings_path.h"

namespace {

HWND Descendant(HWND window, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            if (::GetDlgCtrlID(child) != s->id) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The real window as a start leaves it, without a settings file.
struct ShownWindow {
    TForm1 form;
    ShownWindow() {
        ::DeleteFileW(GetSettingsFileName().c_str());
        Form1 = &form;
        form.Create();
    }
    ~ShownWindow() {
        form.Destroy();
        Form1 = nullptr;
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        ::DeleteFileW(GetSettingsFileName().c_str());
    }
    HWND hwnd() const { return platform::win32::ToHwnd(form.Handle()); }
    HWND control(ControlId id) const { return Descendant(hwnd(), static_cast<int>(id)); }
    // A key press as the message loop would take it from the queue for `target`.
    bool Key(HWND target, WPARAM key) const {
        MSG message{target, WM_KEYDOWN, key, 1, 0, {}};
        return platform::win32::PreTranslateMainWindowMessage(hwnd(), message);
    }
};

}  // namespace

TEST_CASE("every control of the table exists with its caption, state and hand cursor" *
          doctest::test_suite("scaled")) {
    ShownWindow window;
    for (const platform::ControlLayout& entry : MainWindowLayout().controls) {
        CAPTURE(entry.id);
        const HWND control = Descendant(window.hwnd(), entry.id);
        REQUIRE(control != nullptr);
        wchar_t caption[256] = {};
        ::GetWindowTextW(control, caption, 256);
        CHECK(caption == entry.caption);
        CHECK((::IsWindowEnabled(control) != FALSE) == entry.enabled);
    }
    CHECK((::GetWindowLongW(window.control(ControlId::ButtonSelectFile), GWL_STYLE) & 0xF) ==
          BS_DEFPUSHBUTTON);
    CHECK(::SendMessageW(window.hwnd(), DM_GETDEFID, 0, 0) ==
          MAKELRESULT(static_cast<int>(ControlId::ButtonSelectFile), DC_HASDEFID));
}

TEST_CASE("the window cannot be made smaller than its 96-DPI size" * doctest::test_suite("scaled")) {
    ShownWindow window;
    ::SetWindowPos(window.hwnd(), nullptr, 0, 0, 100, 90, SWP_NOMOVE | SWP_NOZORDER);
    RECT rect{};
    ::GetWindowRect(window.hwnd(), &rect);
    const int dpi = static_cast<int>(::GetDpiForWindow(window.hwnd()));
    CHECK(rect.right - rect.left == ::MulDiv(280, dpi, 96));
    CHECK(rect.bottom - rect.top == ::MulDiv(280, dpi, 96));
}

TEST_CASE("the controls fill their grid cells inside the page" * doctest::test_suite("scaled")) {
    ShownWindow window;
    ::SetWindowPos(window.hwnd(), nullptr, 0, 0, 400, 500, SWP_NOMOVE | SWP_NOZORDER);
    RECT first{}, last{};
    ::GetWindowRect(window.control(ControlId::ButtonSelectFile), &first);
    ::GetWindowRect(window.control(ControlId::ButtonOpenFolder), &last);
    CHECK(first.right - first.left == last.right - last.left);
    // Rows share what does not divide evenly, one pixel at most apart.
    CHECK(std::abs((first.bottom - first.top) - (last.bottom - last.top)) <= 1);
    // Four equal rows, each control 3 px (at 96 DPI) in from its cell: twice that between
    // neighbours.
    RECT second{};
    ::GetWindowRect(window.control(ControlId::ButtonResave), &second);
    CHECK(second.top - first.bottom ==
          2 * ::MulDiv(3, static_cast<int>(::GetDpiForWindow(window.hwnd())), 96));
    CHECK(second.left == first.left);
}

TEST_CASE("Esc anywhere in the window asks it to close; Tab moves on as in a dialog" *
          doctest::test_suite("scaled")) {
    ShownWindow window;
    platform::SetActivePage(window.form.Handle(), static_cast<int>(Page::TabSheetHelp));
    const HWND help = window.control(ControlId::ButtonHelp);
    ::SetFocus(help);
    CHECK(window.Key(help, VK_TAB));
    CHECK(::GetFocus() == window.control(ControlId::ButtonAbout));

    CHECK(window.Key(::GetFocus(), VK_ESCAPE));
    MSG close{};
    CHECK(::PeekMessageW(&close, window.hwnd(), WM_CLOSE, WM_CLOSE, PM_REMOVE));

    // A key meant for another window is left alone.
    const HWND other =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    CHECK_FALSE(window.Key(other, VK_ESCAPE));
    ::DestroyWindow(other);
}

TEST_CASE("the window state follows minimizing and is written as State=1" * doctest::test_suite("scaled")) {
    ShownWindow window;
    ::ShowWindow(window.hwnd(), SW_MINIMIZE);
    CHECK(window.form.State() == WindowState::Minimized);
    ::ShowWindow(window.hwnd(), SW_RESTORE);
    CHECK(window.form.State() == WindowState::Normal);
    ::ShowWindow(window.hwnd(), SW_MINIMIZE);
    window.form.SetChecked(ControlId::CheckBoxSaveStatus, true);
    window.form.SaveSettings();
    CHECK(platform::GetPrivateProfileStringW(L"POSITION", L"State", L"", 2048, GetSettingsFileName()) ==
          L"1");
}

TEST_CASE("the tabs are a quarter of the tab control's width each" * doctest::test_suite("scaled")) {
    ShownWindow window;
    for (const int width : {300, 401, 640}) {
        CAPTURE(width);
        ::SetWindowPos(window.hwnd(), nullptr, 0, 0, width, 300, SWP_NOMOVE | SWP_NOZORDER);
        const int client = platform::GetTabControlClientWidth(window.form.Handle());
        const HWND tabs = ::FindWindowExW(window.hwnd(), nullptr, WC_TABCONTROLW, nullptr);
        RECT tab{};
        ::SendMessageW(tabs, TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&tab));
        CHECK(tab.right - tab.left == client / 4);
    }
}

TEST_CASE("a DPI change moves the window to the rectangle Windows suggests and lays it out again" *
          doctest::test_suite("scaled")) {
    ShownWindow window;
    RECT suggested{30, 40, 30 + 560, 40 + 600};
    ::SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT rect{};
    ::GetWindowRect(window.hwnd(), &rect);
    CHECK(rect.left == 30);
    CHECK(rect.top == 40);
    CHECK(rect.right == 590);
    CHECK(rect.bottom == 640);
    RECT client{}, button{};
    ::GetClientRect(window.hwnd(), &client);
    ::GetWindowRect(window.control(ControlId::ButtonSelectFile), &button);
    CHECK(button.right - button.left > client.right - 40);  // margins and tab borders only
}

TEST_CASE("a window never shown makes no controls; states set meanwhile hold once it shows" *
          doctest::test_suite("scaled")) {
    RecordingEvents events;
    const HWND window = platform::win32::ToHwnd(platform::CreateMainWindow(MainWindowLayout(), events));
    REQUIRE(window != nullptr);
    const int closeQuery = static_cast<int>(ControlId::CheckBoxCloseQuery);
    const int resave = static_cast<int>(ControlId::ButtonResave);
    const int saveAs = static_cast<int>(ControlId::ButtonSaveAs);
    const platform::WindowHandle handle = platform::win32::FromHwnd(window);

    // What a command-line run does to its hidden window: no child window exists.
    CHECK(::GetWindow(window, GW_CHILD) == nullptr);
    CHECK_FALSE(platform::IsControlEnabled(handle, resave));  // as the table starts it
    platform::CheckControl(handle, closeQuery, true);
    platform::EnableControl(handle, resave, true);
    platform::SetActivePage(handle, 2);
    CHECK(platform::IsControlChecked(handle, closeQuery));
    CHECK(platform::IsControlEnabled(handle, resave));
    CHECK(::GetWindow(window, GW_CHILD) == nullptr);

    platform::ShowWindow(handle, platform::ShowCommand::ShowNormal);
    REQUIRE(Descendant(window, closeQuery) != nullptr);
    CHECK(::SendMessageW(Descendant(window, closeQuery), BM_GETCHECK, 0, 0) == BST_CHECKED);
    CHECK(::IsWindowEnabled(Descendant(window, resave)));
    CHECK_FALSE(::IsWindowEnabled(Descendant(window, saveAs)));
    CHECK(::IsWindowVisible(Descendant(window, static_cast<int>(ControlId::ButtonHelp))));
    CHECK_FALSE(::IsWindowVisible(Descendant(window, static_cast<int>(ControlId::ButtonSelectFile))));
    platform::DestroyWindow(handle);
}

namespace {

// Every TCM_SETITEMSIZE the tab control is sent, its height half.
std::vector<int> setItemSizeHeights;
WNDPROC tabControlProcedure = nullptr;
LRESULT CALLBACK RecordSetItemSize(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TCM_SETITEMSIZE) setItemSizeHeights.push_back(HIWORD(lParam));
    return ::CallWindowProcW(tabControlProcedure, tabs, message, wParam, lParam);
}

int TabHeight(HWND tabs) {
    RECT tab{};
    ::SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    return tab.bottom - tab.top;
}

// The window's own hint window: a tooltip owned by it.
HWND HintWindow(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            if (std::wstring(name) != TOOLTIPS_CLASSW || ::GetWindow(window, GW_OWNER) != s->owner)
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LONG FontHeight(HWND control) {
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

}  // namespace

TEST_CASE("after a DPI change the tabs and the hints follow the new font, and come back with the old" *
          doctest::test_suite("scaled")) {
    ShownWindow window;
    const HWND tabs = ::FindWindowExW(window.hwnd(), nullptr, WC_TABCONTROLW, nullptr);
    const HWND hints = HintWindow(window.hwnd());
    REQUIRE(hints != nullptr);
    tabControlProcedure = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(tabs, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordSetItemSize)));
    setItemSizeHeights.clear();
    const UINT system = ::GetDpiForWindow(window.hwnd());
    const int before = TabHeight(tabs);
    const auto changeTo = [&](UINT dpi) {
        RECT suggested{10, 10, 10 + ::MulDiv(300, static_cast<int>(dpi), 96),
                       10 + ::MulDiv(300, static_cast<int>(dpi), 96)};
        ::SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
    };
    const auto statusFont = [](UINT dpi) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
        return metrics.lfStatusFont.lfHeight;
    };

    changeTo(system * 2);
    CHECK(TabHeight(tabs) > before * 3 / 2);
    CHECK(FontHeight(window.control(ControlId::ButtonSelectFile)) ==
          -::MulDiv(11, static_cast<int>(system * 2), 96));
    CHECK(FontHeight(hints) == statusFont(system * 2));
    MINMAXINFO limits{};
    ::SendMessageW(window.hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    CHECK(limits.ptMinTrackSize.x == ::MulDiv(280, static_cast<int>(system * 2), 96));

    changeTo(system);
    CHECK(TabHeight(tabs) == before);
    CHECK(FontHeight(hints) == statusFont(system));
    // Only the width is ever set: a height passed in would stay fixed whatever the font.
    REQUIRE_FALSE(setItemSizeHeights.empty());
    CHECK(std::count(setItemSizeHeights.begin(), setItemSizeHeights.end(), 0) ==
          static_cast<long>(setItemSizeHeights.size()));
}

// Run by win32-no-display with DISPLAY empty: Wine then has no display driver, and CreateWindowExW
// fails after WM_NCCREATE and WM_CREATE went through, as it can on Windows too. The window took the
// data at WM_NCCREATE and freed it at WM_NCDESTROY; freeing it again corrupted the heap.
TEST_CASE("a main window the system cannot make frees its data once" * doctest::test_suite("no-display")) {
    RecordingEvents events;
    for (int i = 0; i < 3; ++i)
        CHECK_THROWS_AS(platform::CreateMainWindow(MainWindowLayout(), events), platform::Error);
    HANDLE heaps[64] = {};
    const DWORD count = ::GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i) CHECK(::HeapValidate(heaps[i], 0, nullptr));
    const std::vector<std::wstring> after(1000, std::wstring(100, L'x'));  // the heap still serves
    CHECK(after.back().size() == 100);
}
