// Drives the real Velmora.exe from another process, the way a user's eyes and hands would:
// finds its windows and boxes, reads their texts, presses their buttons.
//
//   driver run <timeout-ms> <command-line-file>   start the command line written (UTF-8) in the
//                                                 file; print the machine, each visible window it
//                                                 opens, then its exit code
//   driver machine                                print the code page and the system DPI
//   driver hold <path> <ms>                       hold a file open with share mode 0 for a while, as
//                                                 a preview pane or a scanner may; <path>.held
//                                                 exists while it does
//   driver load <dll>                             LoadLibraryW by the name given, print the path
//                                                 loaded (as a careless program would load it)
//   driver wait <caption> <class|*> <timeout-ms>  print the handle of a visible top-level window
//   driver texts <hwnd>                           print every child: class, id, text
//   driver click <hwnd> <control-id>              press a button of a dialog
//   driver close <hwnd>                           ask a window to close (WM_CLOSE)
//   driver command <hwnd> <id>                    post WM_COMMAND for a control or menu id
//   driver send <hwnd> <message> <wparam> <lparam> send a message, print its result
//   driver mklink <link-path> <target-path>       write a shell link holding only a target
//   driver settext <hwnd> <control-id> <text>     set the text of a dialog's control (an edit)
//   driver hints <hwnd>                           print each tooltip tool of the window: id, text
//   driver tabs <hwnd>                            print the tab control's client width, then each
//                                                 tab's width and caption
//   driver tab <hwnd> <index>                     click a tab of the window's tab control
//   driver rect <hwnd>                            print the window's outer rectangle and state
//   driver control <hwnd> <id>                    print a descendant's enabled and checked state
//   driver key <hwnd> <virtual-key>               post a key press (down, up) to a window
//   driver input <hwnd> <virtual-key> none|ctrl|alt  type a key, with a modifier held, into the
//                                                 window brought to the front
//   driver error-text <code>                      print the system's description of an error code
//   driver readlink <link-path>                   print the target a shell link holds (GetPath)
//   driver format-now                             print the local time as yyyymmdd-HHNNSSzzz, then
//                                                 the user's short date and long time of it
//   driver format-time <yyyymmdd-HHNNSS> <count>  the same for <count> whole seconds from a
//                                                 local time on
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shobjidl.h>
// clang-format on

#include <commctrl.h>

#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "tool_text.h"

namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    const LRESULT length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

// Line breaks are shown as \r and \n so that one child stays on one output line.
std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\\')
            out += L"\\\\";
        else
            out += c;
    }
    return out;
}

HWND ParseHandle(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(wcstoll(text, nullptr, 0)));
}

std::wstring HandleText(HWND window) {
    wchar_t buffer[32];
    swprintf(buffer, 32, L"0x%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
    return buffer;
}

struct Seen {
    DWORD process;
    std::set<HWND>* known;
};

BOOL CALLBACK ReportNewWindows(HWND window, LPARAM parameter) {
    auto* seen = reinterpret_cast<Seen*>(parameter);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == seen->process && ::IsWindowVisible(window) && seen->known->insert(window).second)
        Print(L"window\t" + ClassOf(window) + L"\t" + Escaped(TextOf(window)));
    return TRUE;
}

// What every program started from here runs under: a pass checks it is the machine it meant.
void PrintMachine() {
    Print(L"machine\t" + std::to_wstring(::GetACP()) + L"\t" + std::to_wstring(::GetDpiForSystem()));
}

// `show` < 0: no show command in the start-up information, as a plain start; otherwise the
// SW_* value a launcher puts there (a shortcut set to "Run: Maximized" gives SW_SHOWMAXIMIZED).
int Run(DWORD timeout, const std::wstring& commandFile, int show) {
    PrintMachine();
    std::wstring commandLine = FromUtf8(ReadWholeFile(commandFile));
    while (!commandLine.empty() && (commandLine.back() == L'\n' || commandLine.back() == L'\r'))
        commandLine.pop_back();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (show >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(show);
    }
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        Print(L"error\tcannot start\t" + std::to_wstring(::GetLastError()));
        return 1;
    }
    std::set<HWND> known;
    Seen seen{process.dwProcessId, &known};
    const ULONGLONG deadline = ::GetTickCount64() + timeout;
    while (::WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT) {
        ::EnumWindows(ReportNewWindows, reinterpret_cast<LPARAM>(&seen));
        if (::GetTickCount64() > deadline) {
            Print(L"timeout");
            ::TerminateProcess(process.hProcess, 99);
            break;
        }
    }
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    Print(L"exit\t" + std::to_wstring(exitCode));
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}

struct Wanted {
    std::wstring caption;
    std::wstring className;
    HWND found = nullptr;
};

BOOL CALLBACK FindWanted(HWND window, LPARAM parameter) {
    auto* wanted = reinterpret_cast<Wanted*>(parameter);
    if (::IsWindowVisible(window) && TextOf(window) == wanted->caption &&
        (wanted->className == L"*" || ClassOf(window) == wanted->className)) {
        wanted->found = window;
        return FALSE;
    }
    return TRUE;
}

int Wait(const std::wstring& caption, const std::wstring& className, DWORD timeout) {
    Wanted wanted{caption, className};
    const ULONGLONG deadline = ::GetTickCount64() + timeout;
    for (;;) {
        ::EnumWindows(FindWanted, reinterpret_cast<LPARAM>(&wanted));
        if (wanted.found) {
            Print(HandleText(wanted.found));
            return 0;
        }
        if (::GetTickCount64() > deadline) return 1;
        ::Sleep(20);
    }
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    Print(ClassOf(child) + L"\t" + std::to_wstring(::GetDlgCtrlID(child)) + L"\t" + Escaped(TextOf(child)));
    return TRUE;
}

int Texts(HWND window) {
    if (!::IsWindow(window)) return 1;
    ::EnumChildWindows(window, PrintChild, 0);
    return 0;
}

int Click(HWND window, int id) {
    const HWND button = ::GetDlgItem(window, id);
    if (!button) return 1;
    ::PostMessageW(button, BM_CLICK, 0, 0);
    return 0;
}

int MakeLink(const std::wstring& link, const std::wstring& target) {
    ::CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    IPersistFile* file = nullptr;
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                        reinterpret_cast<void**>(&shellLink));
    if (SUCCEEDED(result)) result = shellLink->SetPath(target.c_str());
    if (SUCCEEDED(result))
        result = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result)) result = file->Save(link.c_str(), TRUE);
    if (file) file->Release();
    if (shellLink) shellLink->Release();
    ::CoUninitialize();
    return SUCCEEDED(result) ? 0 : 1;
}

// Memory inside another process, for the common-control messages whose pointers Windows does
// not carry across processes.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, std::size_t size) : size_(size) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
        if (process_)
            address_ =
                static_cast<char*>(::VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteBuffer() {
        if (address_) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) ::CloseHandle(process_);
    }
    char* At(std::size_t offset) const { return address_ + offset; }
    void Write(std::size_t offset, const void* data, std::size_t size) const {
        ::WriteProcessMemory(process_, address_ + offset, data, size, nullptr);
    }
    void Read(std::size_t offset, void* data, std::size_t size) const {
        ::ReadProcessMemory(process_, address_ + offset, data, size, nullptr);
    }
    explicit operator bool() const { return address_ != nullptr; }

private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
    std::size_t size_;
};

constexpr std::size_t kTextChars = 1024;

struct OwnedBy {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK FindTooltips(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<OwnedBy*>(parameter);
    if (ClassOf(window) == TOOLTIPS_CLASSW && ::GetWindow(window, GW_OWNER) == search->owner)
        search->found.push_back(window);
    return TRUE;
}

int Hints(HWND window) {
    OwnedBy search{window, {}};
    ::EnumWindows(FindTooltips, reinterpret_cast<LPARAM>(&search));
    for (HWND tooltip : search.found) {
        const auto count = static_cast<int>(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        RemoteBuffer remote(tooltip, sizeof(TOOLINFOW) + kTextChars * sizeof(wchar_t));
        if (!remote) return 1;
        for (int i = 0; i < count; ++i) {
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            tool.lpszText = reinterpret_cast<wchar_t*>(remote.At(sizeof tool));
            remote.Write(0, &tool, sizeof tool);
            const wchar_t empty = 0;
            remote.Write(sizeof tool, &empty, sizeof empty);
            if (!::SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote.At(0)))) continue;
            remote.Read(0, &tool, sizeof tool);
            std::wstring text(kTextChars, L'\0');
            remote.Read(sizeof tool, text.data(), kTextChars * sizeof(wchar_t));
            text.resize(wcslen(text.c_str()));
            const HWND control = (tool.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.uId) : nullptr;
            Print(std::to_wstring(control ? ::GetDlgCtrlID(control) : 0) + L"\t" + text);
        }
    }
    return 0;
}

BOOL CALLBACK FindTabs(HWND child, LPARAM parameter) {
    if (ClassOf(child) != WC_TABCONTROLW) return TRUE;
    *reinterpret_cast<HWND*>(parameter) = child;
    return FALSE;
}

HWND TabsOf(HWND window) {
    HWND tabs = nullptr;
    ::EnumChildWindows(window, FindTabs, reinterpret_cast<LPARAM>(&tabs));
    return tabs;
}

RECT TabRect(HWND tabs, const RemoteBuffer& remote, int index) {
    RECT rect{};
    ::SendMessageW(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote.At(0)));
    remote.Read(0, &rect, sizeof rect);
    return rect;
}

int Tabs(HWND window) {
    const HWND tabs = TabsOf(window);
    if (!tabs) return 1;
    RECT client{};
    ::GetClientRect(tabs, &client);
    Print(L"client\t" + std::to_wstring(client.right));
    RemoteBuffer remote(tabs, sizeof(TCITEMW) + kTextChars * sizeof(wchar_t));
    if (!remote) return 1;
    const auto count = static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const RECT rect = TabRect(tabs, remote, i);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<wchar_t*>(remote.At(sizeof item));
        item.cchTextMax = static_cast<int>(kTextChars);
        remote.Write(0, &item, sizeof item);
        ::SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(remote.At(0)));
        std::wstring text(kTextChars, L'\0');
        remote.Read(sizeof item, text.data(), kTextChars * sizeof(wchar_t));
        text.resize(wcslen(text.c_str()));
        Print(L"tab\t" + std::to_wstring(rect.right - rect.left) + L"\t" + text);
    }
    return 0;
}

int ClickTab(HWND window, int index) {
    const HWND tabs = TabsOf(window);
    if (!tabs) return 1;
    RemoteBuffer remote(tabs, sizeof(RECT));
    if (!remote) return 1;
    const RECT rect = TabRect(tabs, remote, index);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(tabs, WM_LBUTTONUP, 0, point);
    return 0;
}

struct WantedId {
    int id;
    HWND found;
};

BOOL CALLBACK FindId(HWND child, LPARAM parameter) {
    auto* wanted = reinterpret_cast<WantedId*>(parameter);
    if (::GetDlgCtrlID(child) != wanted->id) return TRUE;
    wanted->found = child;
    return FALSE;
}

int ControlState(HWND window, int id) {
    WantedId wanted{id, nullptr};
    ::EnumChildWindows(window, FindId, reinterpret_cast<LPARAM>(&wanted));
    if (!wanted.found) return 1;
    const bool checked = ::SendMessageW(wanted.found, BM_GETCHECK, 0, 0) == BST_CHECKED;
    Print(HandleText(wanted.found) + L"\t" + (::IsWindowEnabled(wanted.found) ? L"enabled" : L"disabled") +
          L"\t" + (checked ? L"checked" : L"unchecked"));
    return 0;
}

struct Shown {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindShownWindow(HWND window, LPARAM parameter) {
    auto* shown = reinterpret_cast<Shown*>(parameter);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != shown->process || !::IsWindowVisible(window)) return TRUE;
    shown->found = window;
    return FALSE;
}

// The time from the start of a process to its first visible top-level window, in milliseconds,
// looked for every millisecond; then the window is asked to close and the process awaited.
int Up(DWORD timeout, const std::wstring& commandFile) {
    std::wstring commandLine = FromUtf8(ReadWholeFile(commandFile));
    while (!commandLine.empty() && (commandLine.back() == L'\n' || commandLine.back() == L'\r'))
        commandLine.pop_back();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency{}, started{}, now{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&started);
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return 1;
    Shown shown{process.dwProcessId, nullptr};
    const ULONGLONG deadline = ::GetTickCount64() + timeout;
    while (!shown.found && ::GetTickCount64() < deadline) {
        ::EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&shown));
        if (!shown.found) ::Sleep(1);
    }
    ::QueryPerformanceCounter(&now);
    if (shown.found) {
        Print(std::to_wstring(1000.0 * static_cast<double>(now.QuadPart - started.QuadPart) /
                              static_cast<double>(frequency.QuadPart)));
        ::PostMessageW(shown.found, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(process.hProcess, timeout) != WAIT_OBJECT_0)
        ::TerminateProcess(process.hProcess, 99);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return shown.found ? 0 : 1;
}

// What GetWindowPlacement says, and what the window is: showCmd, the state, the normal rectangle.
int Placement(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(window, &placement)) return 1;
    const RECT& normal = placement.rcNormalPosition;
    Print(std::to_wstring(placement.showCmd) + L"\t" +
          (::IsZoomed(window)   ? L"maximized"
           : ::IsIconic(window) ? L"minimized"
                                : L"normal") +
          L"\t" + (::IsWindowVisible(window) ? L"visible" : L"hidden") + L"\t" +
          std::to_wstring(normal.left) + L"\t" + std::to_wstring(normal.top) + L"\t" +
          std::to_wstring(normal.right) + L"\t" + std::to_wstring(normal.bottom));
    return 0;
}

int Rect(HWND window) {
    RECT rect{};
    if (!::GetWindowRect(window, &rect)) return 1;
    Print(std::to_wstring(rect.left) + L"\t" + std::to_wstring(rect.top) + L"\t" +
          std::to_wstring(rect.right) + L"\t" + std::to_wstring(rect.bottom) + L"\t" +
          (::IsZoomed(window)   ? L"maximized"
           : ::IsIconic(window) ? L"minimized"
                                : L"normal"));
    return 0;
}

// Real keyboard input to the window brought to the front, so that modifier keys are down for
// the program's own GetKeyState (a posted message carries no modifier state).
int Input(HWND window, UINT key, const std::wstring& modifier) {
    ::SetForegroundWindow(window);
    ::Sleep(200);
    const WORD held = modifier == L"ctrl" ? VK_CONTROL : modifier == L"alt" ? VK_MENU : 0;
    std::vector<INPUT> inputs;
    const auto press = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (held) press(held, false);
    press(static_cast<WORD>(key), false);
    press(static_cast<WORD>(key), true);
    if (held) press(held, true);
    return ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size() ? 0
                                                                                                        : 1;
}

int ReadLink(const std::wstring& link) {
    ::CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH] = {};
    HRESULT result = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                        reinterpret_cast<void**>(&shellLink));
    if (SUCCEEDED(result))
        result = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result)) result = file->Load(link.c_str(), STGM_READ);
    if (SUCCEEDED(result)) result = shellLink->GetPath(target, MAX_PATH, nullptr, 0);
    if (SUCCEEDED(result)) Print(target);
    if (file) file->Release();
    if (shellLink) shellLink->Release();
    ::CoUninitialize();
    return SUCCEEDED(result) ? 0 : 1;
}

// One local time as the settings file's LastClose is made of: the user's short date and long
// time, each as the system formats it, after the time itself in Save As's stamp form.
void PrintFormatted(const SYSTEMTIME& time) {
    wchar_t stamp[32], date[128] = {}, clock[128] = {};
    swprintf(stamp, 32, L"%04u%02u%02u-%02u%02u%02u%03u", time.wYear, time.wMonth, time.wDay, time.wHour,
             time.wMinute, time.wSecond, time.wMilliseconds);
    ::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128);
    ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 128);
    Print(std::wstring(stamp) + L"\t" + date + L"\t" + clock);
}

int FormatTimes(const std::wstring& start, int count) {
    SYSTEMTIME time{};
    if (swscanf(start.c_str(), L"%4hu%2hu%2hu-%2hu%2hu%2hu", &time.wYear, &time.wMonth, &time.wDay,
                &time.wHour, &time.wMinute, &time.wSecond) != 6)
        return 1;
    FILETIME file{};
    if (!::SystemTimeToFileTime(&time, &file)) return 1;
    ULARGE_INTEGER ticks{};
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    for (int i = 0; i < count; ++i, ticks.QuadPart += 10'000'000) {
        file.dwLowDateTime = ticks.LowPart;
        file.dwHighDateTime = ticks.HighPart;
        ::FileTimeToSystemTime(&file, &time);
        PrintFormatted(time);
    }
    return 0;
}

int Key(HWND window, UINT key) {
    const UINT scan = ::MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    ::PostMessageW(window, WM_KEYDOWN, key, 1 | (scan << 16));
    ::PostMessageW(window, WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    const auto is = [&](const wchar_t* verb, std::size_t count) {
        return args.size() == count && args[0] == verb;
    };
    if (is(L"run", 3)) return Run(static_cast<DWORD>(std::stoul(args[1])), args[2], -1);
    if (is(L"run", 4)) return Run(static_cast<DWORD>(std::stoul(args[1])), args[2], std::stoi(args[3]));
    if (is(L"placement", 2)) return Placement(ParseHandle(args[1].c_str()));
    if (is(L"hold", 3)) {
        const HANDLE held = ::CreateFileW(args[1].c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (held == INVALID_HANDLE_VALUE) return 1;
        const std::wstring marker = args[1] + L".held";
        ::CloseHandle(::CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ::Sleep(static_cast<DWORD>(std::stoul(args[2])));
        ::DeleteFileW(marker.c_str());
        ::CloseHandle(held);
        return 0;
    }
    if (is(L"load", 2)) {
        const HMODULE module = ::LoadLibraryW(args[1].c_str());
        wchar_t path[MAX_PATH] = {};
        if (module) ::GetModuleFileNameW(module, path, MAX_PATH);
        Print(path);
        return module ? 0 : 1;
    }
    if (is(L"machine", 1)) {
        PrintMachine();
        return 0;
    }
    if (is(L"up", 3)) return Up(static_cast<DWORD>(std::stoul(args[1])), args[2]);
    if (is(L"accepts-drops", 2)) {  // DragAcceptFiles shows in the extended style
        Print(::GetWindowLongW(ParseHandle(args[1].c_str()), GWL_EXSTYLE) & WS_EX_ACCEPTFILES ? L"yes"
                                                                                              : L"no");
        return 0;
    }
    if (is(L"wait", 4)) return Wait(args[1], args[2], static_cast<DWORD>(std::stoul(args[3])));
    if (is(L"texts", 2)) return Texts(ParseHandle(args[1].c_str()));
    if (is(L"click", 3)) return Click(ParseHandle(args[1].c_str()), std::stoi(args[2]));
    if (is(L"close", 2)) return ::PostMessageW(ParseHandle(args[1].c_str()), WM_CLOSE, 0, 0) ? 0 : 1;
    if (is(L"mklink", 3)) return MakeLink(args[1], args[2]);
    if (is(L"command", 3))
        return ::PostMessageW(ParseHandle(args[1].c_str()), WM_COMMAND,
                              MAKEWPARAM(std::stoi(args[2]), BN_CLICKED), 0)
                   ? 0
                   : 1;
    if (is(L"send", 5)) {
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutW(ParseHandle(args[1].c_str()),
                                   static_cast<UINT>(std::stoul(args[2], nullptr, 0)),
                                   std::stoull(args[3], nullptr, 0), std::stoll(args[4], nullptr, 0),
                                   SMTO_NORMAL, 30000, &result))
            return 1;
        Print(std::to_wstring(result));
        return 0;
    }
    if (is(L"settext", 4)) {
        // WM_SETTEXT is marshalled between processes, so the text arrives whole.
        DWORD_PTR result = 0;
        const HWND control = ::GetDlgItem(ParseHandle(args[1].c_str()), std::stoi(args[2]));
        return control && ::SendMessageTimeoutW(control, WM_SETTEXT, 0,
                                                reinterpret_cast<LPARAM>(args[3].c_str()), SMTO_NORMAL, 30000,
                                                &result)
                   ? 0
                   : 1;
    }
    if (is(L"hints", 2)) return Hints(ParseHandle(args[1].c_str()));
    if (is(L"tabs", 2)) return Tabs(ParseHandle(args[1].c_str()));
    if (is(L"tab", 3)) return ClickTab(ParseHandle(args[1].c_str()), std::stoi(args[2]));
    if (is(L"rect", 2)) return Rect(ParseHandle(args[1].c_str()));
    if (is(L"control", 3)) return ControlState(ParseHandle(args[1].c_str()), std::stoi(args[2]));
    if (is(L"input", 4))
        return Input(ParseHandle(args[1].c_str()), static_cast<UINT>(std::stoul(args[2], nullptr, 0)),
                     args[3]);
    if (is(L"key", 3))
        return Key(ParseHandle(args[1].c_str()), static_cast<UINT>(std::stoul(args[2], nullptr, 0)));
    if (is(L"readlink", 2)) return ReadLink(args[1]);
    if (is(L"error-text", 2)) {
        wchar_t text[512] = {};
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         static_cast<DWORD>(std::stoul(args[1])), 0, text, 512, nullptr);
        std::wstring line = text;
        while (!line.empty() && line.back() <= L' ') line.pop_back();
        Print(line);
        return 0;
    }
    if (is(L"format-now", 1)) {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        PrintFormatted(now);
        return 0;
    }
    if (is(L"format-time", 3)) return FormatTimes(args[1], std::stoi(args[2]));
    Print(
        L"usage: driver "
        L"run|machine|hold|load|wait|texts|click|close|command|send|mklink|settext|hints|tabs|tab|rect|"
        L"control|key|"
        L"input|readlink|error-text|format-now|format-time ...");
    return 2;
}
