// Message boxes and task dialogs.
#include "platform/dialogs.h"

#include "platform/win32/late_bound.h"
#include "platform/win32/win32.h"

namespace platform {

namespace {

using TaskDialogIndirectFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// Task dialogs live only in comctl32 version 6, which the manifest selects; importing the
// function statically would stop the program from starting where it is missing.
TaskDialogIndirectFunction FindTaskDialog() {
    return win32::LateBound<TaskDialogIndirectFunction>(L"comctl32.dll", "TaskDialogIndirect");
}

}  // namespace

int MessageBoxW(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                std::uint32_t type) {
    return ::MessageBoxW(win32::ToHwnd(owner), text.c_str(), caption.c_str(), type);
}

bool TaskDialogAvailable() { return FindTaskDialog() != nullptr; }

int TaskDialogIndirect(const TaskDialogConfig& config) {
    const TaskDialogIndirectFunction taskDialog = FindTaskDialog();
    if (!taskDialog)
        return ::MessageBoxW(win32::ToHwnd(config.owner), config.content.c_str(), config.caption.c_str(),
                             MB_OK);

    TASKDIALOGCONFIG dialog{};
    dialog.cbSize = sizeof dialog;
    dialog.hwndParent = win32::ToHwnd(config.owner);
    dialog.hInstance = ::GetModuleHandleW(nullptr);
    dialog.dwFlags = config.flags;
    dialog.dwCommonButtons = TDCBF_OK_BUTTON;
    dialog.pszWindowTitle = config.caption.c_str();
    dialog.pszContent = config.content.c_str();
    int button = 0;
    if (FAILED(taskDialog(&dialog, &button, nullptr, nullptr))) return 0;
    return button;
}

}  // namespace platform
