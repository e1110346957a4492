#pragma once
// Dialogs and boxes: message boxes, task dialogs, the open and save dialogs, and the About
// box's information dialog with the gradient it paints.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

// ---- Message boxes and task dialogs ---------------------------------------------------------

constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbYesNoCancel = 0x3;
constexpr std::uint32_t kMbYesNo = 0x4;
constexpr std::uint32_t kMbIconError = 0x10;
constexpr std::uint32_t kMbIconQuestion = 0x20;

constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

constexpr std::uint32_t kTdfAllowDialogCancellation = 0x0008;
constexpr std::uint32_t kTdfSizeToContent = 0x01000000;

int MessageBoxW(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                std::uint32_t type);

// False where comctl32 has no TaskDialogIndirect (no common controls 6).
bool TaskDialogAvailable();

// A task dialog with only the common OK button and no icon.
struct TaskDialogConfig {
    WindowHandle owner = 0;
    std::uint32_t flags = 0;  // TDF_* flags
    std::wstring caption;
    std::wstring content;
};
// Returns the id of the button that ended the dialog (kIdOk, or kIdCancel when cancelled).
int TaskDialogIndirect(const TaskDialogConfig& config);

// ---- Open and save dialogs (IFileOpenDialog / IFileSaveDialog) ------------------------------

constexpr std::uint32_t kFosPathMustExist = 0x800;
constexpr std::uint32_t kFosFileMustExist = 0x1000;

struct FileType {
    std::wstring name;
    std::wstring mask;
};

struct FileDialogConfig {
    WindowHandle owner = 0;
    std::wstring folder;        // SetFolder when the shell can open it; empty: the platform chooses
    std::wstring fileName;      // SetFileName
    std::uint32_t options = 0;  // SetOptions: replaces the dialog's own defaults
    std::vector<FileType> fileTypes;
    std::uint32_t fileTypeIndex = 1;  // one-based, as SetFileTypeIndex
};

// The chosen item's file-system path, or nothing when the user cancelled.
std::optional<std::wstring> ShowOpenDialog(const FileDialogConfig& config);
std::optional<std::wstring> ShowSaveDialog(const FileDialogConfig& config);

// ---- The About box's information dialog ---------------------------------------------------------

// The HDC a paint handler draws on.
using PaintSurface = std::uintptr_t;

// A TRIVERTEX: colour components are 16-bit, the 8-bit value shifted left by 8.
struct TriVertex {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint16_t red = 0;
    std::uint16_t green = 0;
    std::uint16_t blue = 0;
    std::uint16_t alpha = 0;
    bool operator==(const TriVertex&) const = default;
};

constexpr std::uint32_t kGradientFillRectH = 0;
constexpr std::uint32_t kGradientFillRectV = 1;

// GradientFill of one rectangle spanned by the two vertices.
bool GradientFill(PaintSurface surface, const TriVertex& topLeft, const TriVertex& bottomRight,
                  std::uint32_t mode);

using PaintHandler = void (*)(WindowHandle sender, PaintSurface surface);

// The information dialog of the About box: the caption, the application's icon, the text on a
// transparent background, one "&OK" button (default and cancel, hand cursor), no caption-bar
// buttons, centred over `owner` inside its monitor's work area. Every WM_PAINT goes to
// `onPaint`. Returns when the dialog has been closed and destroyed.
void ShowInformationDialog(WindowHandle owner, const std::wstring& caption, const std::wstring& text,
                           PaintHandler onPaint);

}  // namespace platform
