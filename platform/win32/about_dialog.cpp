// The About box's window: a modal dialog from an in-memory template, laid out like the
// toolkit's information dialog (icon left, text right, OK below) and then adjusted.
#include <algorithm>
#include <vector>

#include "platform/dialogs.h"
#include "platform/win32/dpi.h"
#include "platform/win32/handles.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/win32.h"

namespace platform {

namespace {

constexpr int kTextId = 0xFFFF;

struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static bool IsValid(HICON h) { return h != nullptr; }
    static void Close(HICON h) { ::DestroyIcon(h); }
};

struct DialogData {
    const std::wstring* text = nullptr;
    PaintHandler onPaint = nullptr;
    HWND owner = nullptr;
    HWND icon = nullptr;
    HWND textControl = nullptr;
    HWND button = nullptr;
    win32::unique_gdiobj font;
    win32::UniqueHandle<HICON, IconTraits> iconImage;  // at the size of the current DPI
};

// A template with no controls: they are created in WM_INITDIALOG, sized to the text.
std::vector<WORD> DialogTemplate(const std::wstring& caption) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
    // No WS_SYSMENU: no system menu and no close, minimise or maximise button.
    dialog->style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    words.insert(words.end(), caption.begin(), caption.end());
    words.push_back(0);
    return words;
}

LRESULT CALLBACK HandCursorButton(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    static const auto removeSubclass =
        win32::LateBound<decltype(&::RemoveWindowSubclass)>(L"comctl32.dll", "RemoveWindowSubclass");
    static const auto defaultProcedure =
        win32::LateBound<decltype(&::DefSubclassProc)>(L"comctl32.dll", "DefSubclassProc");
    if (message == WM_NCDESTROY) removeSubclass(button, HandCursorButton, 1);
    return defaultProcedure(button, message, wParam, lParam);
}

// The monitor the box belongs on: the owner's, or the primary one for a box without owner.
HMONITOR MonitorFor(HWND dialog, HWND owner) {
    return owner ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                 : ::MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY);
}

// Centred over the owner; moved right or down when that leaves the work area's left or top.
void PlaceOverOwner(HWND dialog, HWND owner, int width, int height) {
    RECT over{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(MonitorFor(dialog, owner), &monitor);
    if (owner)
        ::GetWindowRect(owner, &over);
    else
        over = monitor.rcWork;
    int x = over.left + (over.right - over.left - width) / 2;
    int y = over.top + (over.bottom - over.top - height) / 2;
    if (x < monitor.rcWork.left) x = monitor.rcWork.left;
    if (y < monitor.rcWork.top) y = monitor.rcWork.top;
    ::SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CreateControls(HWND dialog, DialogData& data) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    data.icon = ::CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON | SS_REALSIZECONTROL,
                                  0, 0, 0, 0, dialog, nullptr, instance, nullptr);
    data.textControl = ::CreateWindowExW(
        0, L"STATIC", data.text->c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), instance, nullptr);
    data.button = ::CreateWindowExW(0, L"BUTTON", L"&OK",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, dialog,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    static const auto setSubclass =
        win32::LateBound<decltype(&::SetWindowSubclass)>(L"comctl32.dll", "SetWindowSubclass");
    if (setSubclass) setSubclass(data.button, HandCursorButton, 1, 0);
    ::SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
    ::SetFocus(data.button);
}

// The toolkit's information dialog laid out for `dpi`: its message font, its icon size, the
// text wrapping at half the width of the monitor. Returns the outer size.
SIZE Arrange(HWND dialog, DialogData& data, UINT dpi) {
    LOGFONTW message = win32::MetricsForDpi(dpi).lfMessageFont;
    win32::unique_gdiobj font(::CreateFontIndirectW(&message));
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(MonitorFor(dialog, data.owner), &monitor);

    RECT textRect{0, 0, (monitor.rcMonitor.right - monitor.rcMonitor.left) / 2, 0};
    const HDC screen = ::GetDC(dialog);
    const HGDIOBJ previous = ::SelectObject(screen, font.get());
    ::DrawTextW(screen, data.text->c_str(), -1, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(screen, previous);
    ::ReleaseDC(dialog, screen);

    const int margin = win32::Scale(10, dpi);
    const int icon = win32::SystemMetricForDpi(SM_CXICON, dpi);
    const int gap = win32::Scale(12, dpi);
    const int buttonWidth = win32::Scale(75, dpi);
    const int buttonHeight = win32::Scale(25, dpi);
    const int textLeft = margin + icon + gap;
    const int bodyHeight = std::max<int>(icon, textRect.bottom);
    const int clientWidth = std::max<int>(textLeft + textRect.right + margin, buttonWidth + 2 * margin);
    const int clientHeight = margin + bodyHeight + gap + buttonHeight + margin;

    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    win32::UniqueHandle<HICON, IconTraits> image(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, icon, icon, LR_DEFAULTCOLOR)));
    ::SendMessageW(data.icon, STM_SETICON, reinterpret_cast<WPARAM>(image.get()), 0);
    ::MoveWindow(data.icon, margin, margin, icon, icon, TRUE);
    ::MoveWindow(data.textControl, textLeft, margin, textRect.right, textRect.bottom, TRUE);
    ::MoveWindow(data.button, (clientWidth - buttonWidth) / 2, clientHeight - margin - buttonHeight,
                 buttonWidth, buttonHeight, TRUE);
    for (const HWND control : {data.textControl, data.button})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    // The controls let go of the old font and icon only now.
    data.font = std::move(font);
    data.iconImage = std::move(image);

    RECT frame{0, 0, clientWidth, clientHeight};
    static const auto adjustForDpi =
        win32::User32<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, dpi))
        ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Layout(HWND dialog, DialogData& data) {
    CreateControls(dialog, data);
    // The DPI of the monitor the box goes on; the system's DPI is another monitor's as soon as
    // the main window was moved.
    const SIZE size = Arrange(dialog, data, win32::DpiOf(data.owner ? data.owner : dialog));
    PlaceOverOwner(dialog, data.owner, size.cx, size.cy);
}

INT_PTR CALLBACK InformationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = reinterpret_cast<DialogData*>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            Layout(dialog, *reinterpret_cast<DialogData*>(lParam));
            return FALSE;  // the focus is already on the button
        case WM_DPICHANGED:
            // Dragged onto a monitor of another DPI: laid out again for it, where Windows puts it.
            if (data) {
                const auto* suggested = reinterpret_cast<const RECT*>(lParam);
                const SIZE size = Arrange(dialog, *data, HIWORD(wParam));
                ::SetWindowPos(dialog, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                               SWP_NOZORDER | SWP_NOACTIVATE);
                ::InvalidateRect(dialog, nullptr, TRUE);
            }
            return TRUE;
        case WM_ERASEBKGND:
            // The paint handler covers the whole area; erasing first would only flicker.
            ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
            return TRUE;
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC surface = ::BeginPaint(dialog, &paint);
            if (data && data->onPaint)
                data->onPaint(win32::FromHwnd(dialog), reinterpret_cast<PaintSurface>(surface));
            ::EndPaint(dialog, &paint);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC:
            // The text and the icon let the gradient show through.
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
        case WM_COMMAND:
            // The OK button is also the cancel button: Esc and Alt+F4 close the box as OK does.
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog, IDOK);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowInformationDialog(WindowHandle owner, const std::wstring& caption, const std::wstring& text,
                           PaintHandler onPaint) {
    DialogData data;
    data.text = &text;
    data.onPaint = onPaint;
    data.owner = win32::ToHwnd(owner);
    const std::vector<WORD> dialogTemplate = DialogTemplate(caption);
    ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr),
                              reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), data.owner,
                              InformationDialogProc, reinterpret_cast<LPARAM>(&data));
}

bool GradientFill(PaintSurface surface, const TriVertex& topLeft, const TriVertex& bottomRight,
                  std::uint32_t mode) {
    TRIVERTEX vertices[2] = {};
    const TriVertex* from[2] = {&topLeft, &bottomRight};
    for (int i = 0; i < 2; ++i) {
        vertices[i].x = from[i]->x;
        vertices[i].y = from[i]->y;
        vertices[i].Red = from[i]->red;
        vertices[i].Green = from[i]->green;
        vertices[i].Blue = from[i]->blue;
        vertices[i].Alpha = from[i]->alpha;
    }
    GRADIENT_RECT rectangle{0, 1};
    static const auto gradientFill =
        win32::LateBound<decltype(&::GradientFill)>(L"msimg32.dll", "GradientFill");
    return gradientFill &&
           gradientFill(reinterpret_cast<HDC>(surface), vertices, 2, &rectangle, 1, mode) != 0;
}

}  // namespace platform
