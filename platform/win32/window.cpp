// The main window realised from the program's layout table: a tab control with one panel per
// page, grid panels, group boxes, buttons and check boxes in their cells, tooltips, the hand
// cursor, the layout's font and per-monitor DPI scaling of the 96-DPI layout.
#include "platform/window.h"

#include <map>
#include <memory>

#include "platform/grid.h"
#include "platform/win32/dpi.h"
#include "platform/win32/handles.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/main_window.h"
#include "platform/win32/win32.h"

namespace platform {

namespace {

constexpr int kTabControlId = 100;

struct AcceleratorTraits {
    static HACCEL Invalid() { return nullptr; }
    static bool IsValid(HACCEL h) { return h != nullptr; }
    static void Close(HACCEL h) { ::DestroyAcceleratorTable(h); }
};

using unique_haccel = win32::UniqueHandle<HACCEL, AcceleratorTraits>;

struct Control {
    ControlLayout entry;
    HWND window = nullptr;
    HWND panel = nullptr;  // a group box's inner grid panel
};

// What the window procedure keeps beside the window: it lives as long as the window.
struct MainWindowData {
    WindowEvents* events = nullptr;  // the program's answer to what happens to the window
    WindowLayout layout;
    HWND tabs = nullptr;
    HWND tooltip = nullptr;
    std::vector<HWND> pages;
    std::map<int, Control> controls;
    win32::unique_gdiobj font;
    win32::unique_gdiobj tooltipFont;
    unique_haccel accelerators;
    // SetWindowPlacement is running: its rectangle is the size the user left, already in the
    // pixels of the monitor it lies on.
    bool applyingPlacement = false;
    // The DPI of the monitor the window is on, as the last WM_DPICHANGED told it (0: not yet
    // told, ask the system). The layout is kept at 96 DPI and scaled to it.
    UINT dpi = 0;
    int captionHeight = 0;  // of a group box's caption, in pixels at the current DPI
    // The controls are made when the window is first shown: a command-line run, which never
    // shows it, is spared creating them. Until then their states wait here.
    bool realised = false;
    int activePage = 0;
    std::map<int, bool> pendingEnabled;
    std::map<int, bool> pendingChecked;
};

// The class of the pages' and group boxes' panels, named after the window's own.
std::wstring PanelClass(const WindowLayout& layout) { return layout.className + L"Panel"; }

MainWindowData* DataOf(HWND window) {
    return reinterpret_cast<MainWindowData*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

using win32::Scale;

int CALLBACK NoteFaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const wchar_t* face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    ::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    const HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &wanted, NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

// The layout's face, else its fallbacks in order, else the system's message font.
std::wstring ChooseFace(const WindowLayout& layout) {
    if (FaceInstalled(layout.fontFace.c_str())) return layout.fontFace;
    for (const std::wstring& face : layout.fallbackFaces)
        if (FaceInstalled(face.c_str())) return face;
    return win32::MetricsForDpi(96).lfMessageFont.lfFaceName;
}

UINT DpiOf(HWND window, const MainWindowData& data) {
    return data.dpi != 0 ? data.dpi : win32::DpiOf(window);
}

void ApplyFont(HWND window, MainWindowData& data) {
    static const std::wstring face = ChooseFace(data.layout);
    LOGFONTW font{};
    const UINT dpi = DpiOf(window, data);
    font.lfHeight = data.layout.fontHeight96 < 0 ? -Scale(-data.layout.fontHeight96, dpi)
                                                 : Scale(data.layout.fontHeight96, dpi);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    ::wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    win32::unique_gdiobj created(::CreateFontIndirectW(&font));
    const auto handle = reinterpret_cast<WPARAM>(created.get());
    ::SendMessageW(data.tabs, WM_SETFONT, handle, TRUE);
    for (auto& [id, control] : data.controls) ::SendMessageW(control.window, WM_SETFONT, handle, TRUE);

    const HDC screen = ::GetDC(window);
    const HGDIOBJ old = ::SelectObject(screen, created.get());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen, &metrics);
    ::SelectObject(screen, old);
    ::ReleaseDC(window, screen);
    data.captionHeight = metrics.tmHeight + Scale(2, dpi);
    // The controls drop the old font only now, so it is deleted after they stopped using it.
    data.font = std::move(created);

    // The hints in the status font of this monitor, not of the one the system started on.
    if (data.tooltip) {
        const LOGFONTW status = win32::MetricsForDpi(dpi).lfStatusFont;
        win32::unique_gdiobj hintFont(::CreateFontIndirectW(&status));
        ::SendMessageW(data.tooltip, WM_SETFONT, reinterpret_cast<WPARAM>(hintFont.get()), FALSE);
        data.tooltipFont = std::move(hintFont);
    }
}

Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void Place(HWND window, const Rect& r) {
    ::SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowPage(MainWindowData& data, int page) {
    for (std::size_t i = 0; i < data.pages.size(); ++i)
        ::ShowWindow(data.pages[i], static_cast<int>(i) == page ? SW_SHOW : SW_HIDE);
}

void LayOut(HWND window, MainWindowData& data) {
    const UINT dpi = DpiOf(window, data);
    const int margin = Scale(data.layout.margin96, dpi);
    RECT client{};
    ::GetClientRect(window, &client);
    ::MoveWindow(data.tabs, 0, 0, client.right, client.bottom, TRUE);
    data.events->Resized();

    RECT display{};
    ::GetClientRect(data.tabs, &display);
    ::SendMessageW(data.tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : data.pages) Place(page, ToRect(display));
    const Rect pageArea{margin, margin, display.right - display.left - margin,
                        display.bottom - display.top - margin};

    for (auto& [id, control] : data.controls) {
        const ControlLayout& entry = control.entry;
        if (entry.parent != 0) continue;
        const Rect cell =
            GridCellRect(pageArea, data.layout.pages[entry.page].grid, entry.column, entry.row, margin);
        Place(control.window, cell);
        if (control.panel) {
            const Rect inner{cell.left + margin, cell.top + data.captionHeight, cell.right - margin,
                             cell.bottom - margin};
            Place(control.panel, inner);
        }
    }
    for (auto& [id, control] : data.controls) {
        const ControlLayout& entry = control.entry;
        if (entry.parent == 0) continue;
        const Control& group = data.controls.at(entry.parent);
        RECT inner{};
        ::GetClientRect(group.panel, &inner);
        Place(control.window,
              GridCellRect(ToRect(inner), group.entry.inner, entry.column, entry.row, margin));
    }
}

bool IsCommandControl(MainWindowData& data, HWND window) {
    const auto found = data.controls.find(::GetDlgCtrlID(window));
    return found != data.controls.end() && found->second.window == window &&
           found->second.entry.kind != ControlKind::GroupBox;
}

// Pages and grids: they paint their background through a memory bitmap (no flicker), pass the
// controls' commands up to the main window and give the controls the hand cursor.
LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND root = ::GetAncestor(panel, GA_ROOT);
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
            return ::SendMessageW(root, message, wParam, lParam);
        case WM_SETCURSOR: {
            MainWindowData* data = DataOf(root);
            if (data && IsCommandControl(*data, reinterpret_cast<HWND>(wParam))) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC target = ::BeginPaint(panel, &paint);
            RECT client{};
            ::GetClientRect(panel, &client);
            const HDC memory = ::CreateCompatibleDC(target);
            const HBITMAP bitmap = ::CreateCompatibleBitmap(target, client.right, client.bottom);
            const HGDIOBJ old = ::SelectObject(memory, bitmap);
            ::FillRect(memory, &client, ::GetSysColorBrush(COLOR_BTNFACE));
            ::BitBlt(target, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
            ::SelectObject(memory, old);
            ::DeleteObject(bitmap);
            ::DeleteDC(memory);
            ::EndPaint(panel, &paint);
            return 0;
        }
        default:
            break;
    }
    return ::DefWindowProcW(panel, message, wParam, lParam);
}

void ReportState(MainWindowData& data, WPARAM sizeType) {
    if (sizeType == SIZE_MINIMIZED)
        data.events->StateChanged(WindowState::Minimized);
    else if (sizeType == SIZE_MAXIMIZED)
        data.events->StateChanged(WindowState::Maximized);
    else if (sizeType == SIZE_RESTORED)
        data.events->StateChanged(WindowState::Normal);
}

void Realise(HWND window, MainWindowData& data);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindowData* data = DataOf(window);
    switch (message) {
        case WM_NCCREATE: {
            // The window takes the data here and frees it in WM_NCDESTROY, which Windows sends even
            // when the creation fails after this message (no display driver, WM_CREATE refused).
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            auto* owner = static_cast<std::unique_ptr<MainWindowData>*>(create->lpCreateParams);
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
            break;
        }
        case WM_SIZE:
            if (data) ReportState(*data, wParam);
            if (data && data->tabs && wParam != SIZE_MINIMIZED) LayOut(window, *data);
            return 0;
        case WM_SHOWWINDOW:
            if (wParam && data && !data->realised) {
                try {
                    Realise(window, *data);
                } catch (const Error& error) {
                    data->events->ErrorRaised(error);
                }
            }
            break;
        case WM_GETMINMAXINFO:
            if (data) {
                auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
                const UINT dpi = DpiOf(window, *data);
                limits->ptMinTrackSize.x = Scale(data->layout.width96, dpi);
                limits->ptMinTrackSize.y = Scale(data->layout.height96, dpi);
                return 0;
            }
            break;
        case WM_DPICHANGED: {
            // Windows suggests the rectangle scaled by the new DPI over the old. For a window the
            // user drags to another monitor that is right; for a placement being restored onto
            // one it would scale the saved size a second time, and the window would grow (or
            // shrink) at every start. The new DPI still gets its fonts and layout.
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            if (data) data->dpi = HIWORD(wParam);
            if (data && data->realised) ApplyFont(window, *data);
            if (!data || !data->applyingPlacement)
                ::SetWindowPos(window, nullptr, suggested->left, suggested->top,
                               suggested->right - suggested->left, suggested->bottom - suggested->top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
            if (data && data->realised) LayOut(window, *data);
            return 0;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (data && header->hwndFrom == data->tabs && header->code == TCN_SELCHANGE)
                ShowPage(*data, static_cast<int>(::SendMessageW(data->tabs, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        case DM_GETDEFID:
            if (data)
                for (const auto& [id, control] : data->controls)
                    if (control.entry.defaultButton) return MAKELRESULT(id, DC_HASDEFID);
            return 0;
        case WM_CONTEXTMENU: {
            // The shortcuts' menu never pops up; the title bar keeps its system menu.
            POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT client{};
            ::GetClientRect(window, &client);
            ::ScreenToClient(window, &point);
            if (lParam == -1 || ::PtInRect(&client, point)) return 0;
            break;
        }
        case WM_COMMAND:
            // Buttons report BN_CLICKED, accelerators 1; both name the command by its id.
            if (data && (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == 1))
                data->events->CommandChosen(LOWORD(wParam));
            return 0;
        case WM_DROPFILES:
            if (data) data->events->FilesDropped(UniqueDrop(static_cast<DropHandle>(wParam)));
            return 0;
        case WM_CLOSE:
            // The program decides; it destroys the window itself when the close goes ahead.
            if (data) data->events->CloseRequested();
            return 0;
        case WM_QUERYENDSESSION:
            return data && data->events->EndSessionQueried() ? TRUE : FALSE;
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

void RegisterClass(const wchar_t* name, WNDPROC procedure, HICON icon) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    // A second registration in the same process (tests) finds the class already there.
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Error(win32::SystemErrorText(::GetLastError()));
}

HWND CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, DWORD exStyle, HWND parent,
                 int id) {
    const HWND child = ::CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0,
                                         0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         ::GetModuleHandleW(nullptr), nullptr);
    if (!child) throw Error(win32::SystemErrorText(::GetLastError()));
    return child;
}

void AddHint(HWND tooltip, HWND owner, HWND control, const std::wstring& hint) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(hint.c_str());
    ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CreateControls(HWND window, MainWindowData& data) {
    const DWORD clip = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    data.tabs = CreateChild(WC_TABCONTROLW, L"", clip | TCS_FIXEDWIDTH | TCS_FOCUSNEVER, WS_EX_CONTROLPARENT,
                            window, kTabControlId);
    for (std::size_t i = 0; i < data.layout.pages.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(data.layout.pages[i].caption.c_str());
        ::SendMessageW(data.tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        data.pages.push_back(
            CreateChild(PanelClass(data.layout).c_str(), L"", clip, WS_EX_CONTROLPARENT, data.tabs, 0));
    }
    data.tooltip = ::CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, ::GetModuleHandleW(nullptr), nullptr);

    // Group boxes first, so that the controls of their grids have a panel to go into.
    for (int pass = 0; pass < 2; ++pass) {
        for (const ControlLayout& entry : data.layout.controls) {
            const bool group = entry.kind == ControlKind::GroupBox;
            if ((pass == 0) != group) continue;
            Control control{entry};
            const HWND parent =
                entry.parent == 0 ? data.pages[entry.page] : data.controls.at(entry.parent).panel;
            DWORD style = WS_TABSTOP;
            if (entry.kind == ControlKind::CheckBox) style |= BS_AUTOCHECKBOX;
            if (entry.kind == ControlKind::Button)
                style |= entry.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            if (group) style = BS_GROUPBOX | WS_CLIPSIBLINGS;
            if (!entry.enabled) style |= WS_DISABLED;
            control.window = CreateChild(L"BUTTON", entry.caption, style, 0, parent, entry.id);
            if (group) {
                control.panel = CreateChild(PanelClass(data.layout).c_str(), L"", WS_CLIPCHILDREN,
                                            WS_EX_CONTROLPARENT, parent, 0);
                ::SetWindowPos(control.panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
            if (!entry.hint.empty() && data.tooltip)
                AddHint(data.tooltip, window, control.window, entry.hint);
            data.controls.emplace(entry.id, control);
        }
    }

    std::vector<ACCEL> keys;
    for (const KeyShortcut& shortcut : data.layout.shortcuts) {
        BYTE flags = FVIRTKEY;
        if (shortcut.control) flags |= FCONTROL;
        if (shortcut.alt) flags |= FALT;
        keys.push_back({flags, shortcut.virtualKey, static_cast<WORD>(shortcut.id)});
    }
    data.accelerators.reset(::CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
}

void Realise(HWND window, MainWindowData& data) {
    if (data.realised) return;
    data.realised = true;
    // Wine's comctl32 imports msimg32, and Wine looks for a library's own imports beside the exe
    // whichever folder the library came from. Bound first from the system folder, the import
    // finds it loaded.
    static const auto gradientFill =
        win32::LateBound<decltype(&::GradientFill)>(L"msimg32.dll", "GradientFill");
    (void)gradientFill;
    // The common controls (comctl32 version 6, as the manifest asks) are needed from here on only.
    static const auto initCommonControls =
        win32::LateBound<decltype(&::InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    if (initCommonControls) initCommonControls(&controls);
    CreateControls(window, data);
    ApplyFont(window, data);
    LayOut(window, data);
    ::SendMessageW(data.tabs, TCM_SETCURSEL, data.activePage, 0);
    ShowPage(data, data.activePage);
    for (const auto& [id, enabled] : data.pendingEnabled)
        ::EnableWindow(data.controls.at(id).window, enabled);
    for (const auto& [id, checked] : data.pendingChecked)
        ::SendMessageW(data.controls.at(id).window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    data.pendingEnabled.clear();
    data.pendingChecked.clear();
}

HWND ControlWindow(WindowHandle window, int controlId) {
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    if (!data) return nullptr;
    const auto found = data->controls.find(controlId);
    return found == data->controls.end() ? nullptr : found->second.window;
}

}  // namespace

namespace win32 {

bool PreTranslateMainWindowMessage(HWND window, MSG& message) {
    // Only keys meant for the main window: a message box keeps its own Esc and Enter.
    if (message.hwnd != window && !::IsChild(window, message.hwnd)) return false;
    MainWindowData* data = DataOf(window);
    if (!data) return false;
    if (data->accelerators && ::TranslateAcceleratorW(window, data->accelerators.get(), &message))
        return true;
    return ::IsDialogMessageW(window, &message) != FALSE;
}

}  // namespace win32

WindowHandle CreateMainWindow(const WindowLayout& layout, WindowEvents& events) {
    const HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    RegisterClass(layout.className.c_str(), MainWindowProc, icon);
    RegisterClass(PanelClass(layout).c_str(), PanelProc, nullptr);

    auto data = std::make_unique<MainWindowData>();
    data->events = &events;
    data->layout = layout;
    const UINT dpi = win32::DpiOf(nullptr);
    // `data` stays here until WM_NCCREATE takes it; if creation fails before that, it is freed here.
    const HWND window = ::CreateWindowExW(WS_EX_CONTROLPARENT, layout.className.c_str(), L"",
                                          WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                                          Scale(layout.width96, dpi), Scale(layout.height96, dpi), nullptr,
                                          nullptr, ::GetModuleHandleW(nullptr), &data);
    if (!window) throw Error(win32::SystemErrorText(::GetLastError()));
    try {
        if (win32::DpiOf(window) != dpi)
            ::SetWindowPos(window, nullptr, 0, 0, Scale(layout.width96, win32::DpiOf(window)),
                           Scale(layout.height96, win32::DpiOf(window)),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } catch (...) {
        ::DestroyWindow(window);
        throw;
    }
    return win32::FromHwnd(window);
}

int GetTabControlClientWidth(WindowHandle window) {
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    RECT client{};
    if (data) ::GetClientRect(data->tabs, &client);
    return client.right;
}

void SetTabWidth(WindowHandle window, int width) {
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    if (!data) return;
    // Height 0 leaves it to the tab control, which takes it from the font: a height passed back
    // would stay fixed, and after a DPI change the tabs would clip their captions (or stay
    // oversized).
    ::SendMessageW(data->tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(width, 0));
}

void PostMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    ::PostMessageW(win32::ToHwnd(window), message, wParam, lParam);
}

void SetActivePage(WindowHandle window, int page) {
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    if (!data) return;
    data->activePage = page;
    if (!data->realised) return;
    ::SendMessageW(data->tabs, TCM_SETCURSEL, page, 0);
    ShowPage(*data, page);
}

void DestroyWindow(WindowHandle window) {
    if (::IsWindow(win32::ToHwnd(window))) ::DestroyWindow(win32::ToHwnd(window));
}

void SetWindowTextW(WindowHandle window, const std::wstring& text) {
    ::SetWindowTextW(win32::ToHwnd(window), text.c_str());
}

void ShowWindow(WindowHandle window, ShowCommand show) {
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    if (data && show != ShowCommand::Hide) Realise(win32::ToHwnd(window), *data);
    ::ShowWindow(win32::ToHwnd(window), static_cast<int>(show));
}

bool IsWindowVisible(WindowHandle window) { return ::IsWindowVisible(win32::ToHwnd(window)) != FALSE; }

void SetForegroundWindow(WindowHandle window) { ::SetForegroundWindow(win32::ToHwnd(window)); }

void EnableControl(WindowHandle window, int controlId, bool enabled) {
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    if (data && !data->realised) {
        data->pendingEnabled[controlId] = enabled;
        return;
    }
    ::EnableWindow(ControlWindow(window, controlId), enabled);
}

bool IsControlEnabled(WindowHandle window, int controlId) {
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    if (data && !data->realised) {
        if (const auto pending = data->pendingEnabled.find(controlId); pending != data->pendingEnabled.end())
            return pending->second;
        for (const ControlLayout& entry : data->layout.controls)
            if (entry.id == controlId) return entry.enabled;
        return false;
    }
    return ::IsWindowEnabled(ControlWindow(window, controlId)) != FALSE;
}

void CheckControl(WindowHandle window, int controlId, bool checked) {
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    if (data && !data->realised) {
        data->pendingChecked[controlId] = checked;
        return;
    }
    ::SendMessageW(ControlWindow(window, controlId), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsControlChecked(WindowHandle window, int controlId) {
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    if (data && !data->realised) {
        const auto pending = data->pendingChecked.find(controlId);
        return pending != data->pendingChecked.end() && pending->second;
    }
    return ::SendMessageW(ControlWindow(window, controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::intptr_t SendMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    return ::SendMessageW(win32::ToHwnd(window), message, wParam, lParam);
}

// The program has one top-level window, so restoring the application restores that window.
void RestoreApplication(WindowHandle mainWindow) {
    const HWND window = win32::ToHwnd(mainWindow);
    if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
}

bool GetWindowPlacement(WindowHandle window, WindowPlacement& placement) {
    WINDOWPLACEMENT native{};
    native.length = placement.length;
    if (!::GetWindowPlacement(win32::ToHwnd(window), &native)) return false;
    placement = {native.length,
                 native.flags,
                 native.showCmd,
                 {native.ptMinPosition.x, native.ptMinPosition.y},
                 {native.ptMaxPosition.x, native.ptMaxPosition.y},
                 {native.rcNormalPosition.left, native.rcNormalPosition.top, native.rcNormalPosition.right,
                  native.rcNormalPosition.bottom}};
    return true;
}

bool SetWindowPlacement(WindowHandle window, const WindowPlacement& placement) {
    WINDOWPLACEMENT native{};
    native.length = placement.length;
    native.flags = placement.flags;
    native.showCmd = placement.showCmd;
    native.ptMinPosition = {placement.minPosition.x, placement.minPosition.y};
    native.ptMaxPosition = {placement.maxPosition.x, placement.maxPosition.y};
    native.rcNormalPosition = {placement.normalPosition.left, placement.normalPosition.top,
                               placement.normalPosition.right, placement.normalPosition.bottom};
    MainWindowData* data = DataOf(win32::ToHwnd(window));
    if (data) data->applyingPlacement = true;
    const bool applied = ::SetWindowPlacement(win32::ToHwnd(window), &native) != FALSE;
    if (data) data->applyingPlacement = false;
    return applied;
}

bool SystemParametersInfoWorkArea(Rect& workArea) {
    RECT area{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return false;
    workArea = {area.left, area.top, area.right, area.bottom};
    return true;
}

int GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

Rect GetClientRect(WindowHandle window) {
    RECT client{};
    ::GetClientRect(win32::ToHwnd(window), &client);
    return {client.left, client.top, client.right, client.bottom};
}

}  // namespace platform
