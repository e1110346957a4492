// The floor of the command-line benchmark: only the calls a command-line run of Velmora must
// make, in its order, with its manifest: COM, a hidden top-level window of the same size, the
// drop registration, the window placement read, the settings reads from a file that is not
// there, the placement applied hidden, the shell asked to open the URL with that window as
// owner, the quit and the loop. What Velmora takes beyond this is what its own code costs.
//   floor_cmdline <url>
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#include <string>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (count < 2) return 2;
    const bool com = SUCCEEDED(::CoInitialize(nullptr));

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"FloorWindow";
    ::RegisterClassExW(&windowClass);
    const HWND window = ::CreateWindowExW(0, L"FloorWindow", L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                          CW_USEDEFAULT, 280, 280, nullptr, nullptr, instance, nullptr);
    ::SetWindowTextW(window, L"Velmora");
    ::DragAcceptFiles(window, TRUE);

    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window, &placement);
    wchar_t roaming[MAX_PATH + 1] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, roaming);
    wchar_t module[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    const std::wstring settings = std::wstring(roaming) + L"\\Quorrin\\floor_cmdline\\floor_cmdline.ini";
    ::GetFileAttributesW(settings.c_str());
    const std::wstring fallback = std::wstring(module) + L".ini";
    const wchar_t* keys[] = {L"Flags", L"ShowCmd", L"MaxX",   L"MaxY", L"Top",
                             L"Left",  L"Right",   L"Bottom", L"state"};
    wchar_t value[2048];
    for (const wchar_t* key : keys) {
        ::GetPrivateProfileStringW(L"POSITION", key, L"", value, 2048, fallback.c_str());
        if (key == keys[4]) {
            RECT area{};
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        }
    }
    placement.showCmd = SW_HIDE;
    ::SetWindowPlacement(window, &placement);
    ::GetPrivateProfileStringW(L"MODE", L"CloseQuery", L"", value, 2048, fallback.c_str());
    ::GetPrivateProfileStringW(L"MODE", L"SaveStatus", L"", value, 2048, fallback.c_str());

    ::ShellExecuteW(window, L"open", arguments[1], nullptr, nullptr, SW_SHOWNORMAL);
    ::PostQuitMessage(0);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::DestroyWindow(window);
    ::LocalFree(arguments);
    if (com) ::CoUninitialize();
    return 0;
}
