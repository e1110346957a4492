// Drops, the file dialogs and the pump against the real Windows API (Wine). A drop cannot come
// from another process, so a real HDROP is built here the way the shell builds one.
#include <doctest.h>

#include <cstring>

#include "../printing.h"
#include "platform/clock_locale.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/win32/file_dialogs.h"
#include "platform/window.h"
#include "recording_events.h"

namespace {

// A DROPFILES block with wide paths, each NUL-terminated, the list ending in one more NUL.
HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::size_t chars = 1;
    for (const std::wstring& path : paths) chars += path.size() + 1;
    const HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        text += path.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::vector<std::wstring> handledDrops;

LRESULT CALLBACK DropTarget(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DROPFILES) {
        std::wstring first;
        platform::DragQueryFileW(static_cast<platform::DropHandle>(wParam), 0, &first, 1024);
        handledDrops.push_back(first);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeTargetWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DropTarget;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VelmoraDropTarget";
    ::RegisterClassW(&windowClass);
    return ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                             windowClass.hInstance, nullptr);
}

}  // namespace

TEST_CASE("a real drop of three paths, one of 300 characters: the count, the length, the whole path") {
    const std::wstring longPath = LR"(C:\Mirror\www.example.com\)" + std::wstring(300 - 31, L'x') + L".html";
    REQUIRE(longPath.size() == 300);
    const std::vector<std::wstring> paths = {longPath, LR"(C:\b.html)", LR"(C:\c.html)"};
    const HDROP drop = MakeDrop(paths);
    const auto handle = reinterpret_cast<platform::DropHandle>(drop);

    CHECK(platform::DragQueryFileW(handle, platform::kDragQueryCount, nullptr, 0) == 3);
    CHECK(platform::DragQueryFileW(handle, 0, nullptr, 0) == 300);
    std::wstring name;
    platform::DragQueryFileW(handle, 0, &name, 301);
    CHECK(name == longPath);
    platform::DragQueryFileW(handle, 0, &name, 256);  // the fixed name buffer would cut it
    CHECK(name == longPath.substr(0, 255));
    platform::DragQueryFileW(handle, 2, &name, 256);
    CHECK(name == LR"(C:\c.html)");

    const HWND window = MakeTargetWindow();
    REQUIRE(window);
    handledDrops.clear();
    platform::SendMessageW(reinterpret_cast<platform::WindowHandle>(window), platform::kWmDropFiles, handle,
                           0);
    CHECK(handledDrops == std::vector<std::wstring>{longPath});  // handled before the call returned
    ::DestroyWindow(window);
    platform::DragFinish(handle);
}

TEST_CASE("the open dialog holds exactly the must-exist options, one type and the file name") {
    platform::FileDialogConfig config;
    config.folder = LR"(C:\)";
    config.fileName = LR"(C:\windows\win.ini)";
    config.options = platform::kFosFileMustExist | platform::kFosPathMustExist;
    config.fileTypes = {{L"All", L"*.*"}};
    const auto dialog = platform::win32::CreateFileDialog(CLSID_FileOpenDialog, config);
    FILEOPENDIALOGOPTIONS options = 0;
    REQUIRE(SUCCEEDED(dialog->GetOptions(&options)));
    CHECK(options == 0x1800);
    UINT type = 0;
    REQUIRE(SUCCEEDED(dialog->GetFileTypeIndex(&type)));
    CHECK(type == 1);
    wchar_t* name = nullptr;
    REQUIRE(SUCCEEDED(dialog->GetFileName(&name)));
    CHECK(std::wstring(name) == LR"(C:\windows\win.ini)");
    ::CoTaskMemFree(name);
}

TEST_CASE("the save dialog runs without options: no overwrite prompt") {
    platform::FileDialogConfig config;
    config.folder = LR"(C:\)";
    config.fileName = L"page-20240102-150405006.html";
    config.fileTypes = {{L"All(*.*)", L"*.*"}};
    const auto dialog = platform::win32::CreateFileDialog(CLSID_FileSaveDialog, config);
    FILEOPENDIALOGOPTIONS options = 0xFFFF;
    REQUIRE(SUCCEEDED(dialog->GetOptions(&options)));
    CHECK(options == 0);
}

TEST_CASE("the pump offers and dispatches what waits and hands a WM_QUIT back to the main loop") {
    const HWND window = MakeTargetWindow();
    REQUIRE(window);
    const HDROP drop = MakeDrop({LR"(C:\pumped.html)"});
    handledDrops.clear();
    ::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    ::PostQuitMessage(7);
    RecordingEvents events;
    platform::ProcessMessages(platform::win32::FromHwnd(window), events);
    CHECK(events.offered == std::vector<std::uint32_t>{WM_DROPFILES});
    CHECK(handledDrops == std::vector<std::wstring>{LR"(C:\pumped.html)"});
    MSG message{};
    REQUIRE(::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    CHECK(message.message == WM_QUIT);
    CHECK(message.wParam == 7);
    ::DragFinish(drop);
    ::DestroyWindow(window);
}
