#include "app/form.h"
#include "app/messages.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace platform {

namespace {

constexpr wchar_t kMainWindowClass[] = L"TForm1";
constexpr int kTabControlId = 100;

// What the window procedure keeps beside the window: it lives as long as the window.
struct MainWindowData {
    HWND tabs = nullptr;
    win32::unique_gdiobj font;
    int width96 = 0;
    int height96 = 0;
};

MainWindowData* DataOf(HWND window) {
    return reinterpret_cast<MainWindowData*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Per-monitor DPI: the window's layout is kept at 96 DPI and scaled to the monitor it is on.
UINT DpiOf(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) return getDpiForWindow(window);
    const HDC screen = ::GetDC(nullptr);
    const UINT dpi = static_cast<UINT>(::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

int Scale(int pixels96, UINT dpi) { return ::MulDiv(pixels96, static_cast<int>(dpi), 96); }

void ApplyFont(HWND window, MainWindowData& data) {
    LOGFONTW font{};
    font.lfHeight = -Scale(11, DpiOf(window));  // 9 pt at 96 DPI
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    ::wcscpy(font.lfFaceName, L"Meiryo UI");
    data.font.reset(::CreateFontIndirectW(&font));
    ::SendMessageW(data.tabs, WM_SETFONT, reinterpret_cast<WPARAM>(data.font.get()), TRUE);
}

void LayOut(HWND window, MainWindowData& data) {
    RECT client{};
    ::GetClientRect(window, &client);
    ::MoveWindow(data.tabs, 0, 0, client.right, client.bottom, TRUE);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindowData* data = DataOf(window);
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_SIZE:
            if (data && data->tabs) LayOut(window, *data);
            return 0;
        case WM_GETMINMAXINFO:
            if (data) {
                auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
                const UINT dpi = DpiOf(window);
                limits->ptMinTrackSize.x = Scale(data->width96, dpi);
                limits->ptMinTrackSize.y = Scale(data->height96, dpi);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            if (data) ApplyFont(window, *data);
            ::SetWindowPos(window, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_COMMAND:
            // Buttons report BN_CLICKED, accelerators 1; both name the command by its id.
            if (Form1 && (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == 1))
                Form1->Command(static_cast<ControlId>(LOWORD(wParam)));
            return 0;
        case WM_DROPFILES:
            if (Form1) RunCommand([&] { Form1->WMDropFiles(static_cast<DropHandle>(wParam)); });
            return 0;
        case WM_CLOSE: {
            bool canClose = false;
            if (Form1) RunCommand([&] { canClose = Form1->FormCloseQuery(); });
            if (canClose) Form1->CloseAccepted();  // held while a download runs
            return 0;
        }
        case WM_QUERYENDSESSION: {
            bool canEnd = false;
            if (Form1) RunCommand([&] { canEnd = Form1->WMQueryEndSession(); });
            // A download running under this query gives up at its next read, keeping the file.
            if (canEnd && Form1->Downloading()) Form1->CloseAccepted();
            return canEnd ? TRUE : FALSE;
        }
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            delete data;
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void RegisterMainWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hIcon = ::LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    // A second registration in the same process (tests) finds the class already there.
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Error(win32::SystemErrorText(::GetLastError()));
}

}  // namespace

WindowHandle CreateMainWindow(int width96, int height96, const std::vector<std::wstring>& pageCaptions) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    RegisterMainWindowClass();

    auto* data = new MainWindowData;
    data->width96 = width96;
    data->height96 = height96;
    const UINT dpi = DpiOf(nullptr);
    // The window owns `data` from WM_NCCREATE on and frees it in WM_NCDESTROY.
    const HWND window =
        ::CreateWindowExW(WS_EX_CONTROLPARENT, kMainWindowClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          CW_USEDEFAULT, CW_USEDEFAULT, Scale(width96, dpi), Scale(height96, dpi), nullptr,
                          nullptr, ::GetModuleHandleW(nullptr), data);
    if (!window) {
        const DWORD error = ::GetLastError();
        delete data;
        throw Error(win32::SystemErrorText(error));
    }
    if (DpiOf(window) != dpi)
        ::SetWindowPos(window, nullptr, 0, 0, Scale(width96, DpiOf(window)), Scale(height96, DpiOf(window)),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    data->tabs = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0,
                                   0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabControlId)),
                                   ::GetModuleHandleW(nullptr), nullptr);
    for (std::size_t i = 0; i < pageCaptions.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(pageCaptions[i].c_str());
        ::SendMessageW(data->tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    ApplyFont(window, *data);
    LayOut(window, *data);
    return win32::FromHwnd(window);
}

void SetActivePage(WindowHandle window, int page) {
    if (MainWindowData* data = DataOf(win32::ToHwnd(window)))
        ::SendMessageW(data->tabs, TCM_SETCURSEL, page, 0);
}

void DestroyWindow(WindowHandle window) {
    if (::IsWindow(win32::ToHwnd(window))) ::DestroyWindow(win32::ToHwnd(window));
}

void SetWindowTextW(WindowHandle window, const std::wstring& text) {
    ::SetWindowTextW(win32::ToHwnd(window), text.c_str());
}

void ShowWindow(WindowHandle window, ShowCommand show) {
    ::ShowWindow(win32::ToHwnd(window), static_cast<int>(show));
}

bool IsWindowVisible(WindowHandle window) { return ::IsWindowVisible(win32::ToHwnd(window)) != FALSE; }

void SetForegroundWindow(WindowHandle window) { ::SetForegroundWindow(win32::ToHwnd(window)); }

void EnableControl(WindowHandle window, int controlId, bool enabled) {
    ::EnableWindow(::GetDlgItem(win32::ToHwnd(window), controlId), enabled);
}

bool IsControlEnabled(WindowHandle window, int controlId) {
    return ::IsWindowEnabled(::GetDlgItem(win32::ToHwnd(window), controlId)) != FALSE;
}

void CheckControl(WindowHandle window, int controlId, bool checked) {
    ::CheckDlgButton(win32::ToHwnd(window), controlId, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool IsControlChecked(WindowHandle window, int controlId) {
    return ::IsDlgButtonChecked(win32::ToHwnd(window), controlId) == BST_CHECKED;
}

}  // namespace platform
