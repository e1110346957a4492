#pragma once
// The system's open and save dialogs, configured but not yet shown: the tests look at the
// configuration the dialog really holds.

#include "platform/dialogs.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace platform::win32 {

// CLSID_FileOpenDialog or CLSID_FileSaveDialog with the configuration applied; throws Error
// when the shell cannot provide the dialog.
ComPtr<IFileDialog> CreateFileDialog(REFCLSID kind, const FileDialogConfig& config);

}  // namespace platform::win32
