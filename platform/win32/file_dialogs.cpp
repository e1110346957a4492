#include "platform/win32/file_dialogs.h"

namespace platform {

namespace win32 {

ComPtr<IFileDialog> CreateFileDialog(REFCLSID kind, const FileDialogConfig& config) {
    ComPtr<IFileDialog> dialog;
    ThrowIfFailed(
        ::CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog, dialog.put_void()));
    std::vector<COMDLG_FILTERSPEC> types;
    for (const FileType& type : config.fileTypes) types.push_back({type.name.c_str(), type.mask.c_str()});
    if (!types.empty()) {
        ThrowIfFailed(dialog->SetFileTypes(static_cast<UINT>(types.size()), types.data()));
        ThrowIfFailed(dialog->SetFileTypeIndex(config.fileTypeIndex));
    }
    ThrowIfFailed(dialog->SetOptions(config.options));
    // A folder the shell cannot parse leaves the choice to the dialog, as documented.
    ComPtr<IShellItem> folder;
    if (!config.folder.empty() && SUCCEEDED(::SHCreateItemFromParsingName(config.folder.c_str(), nullptr,
                                                                          IID_IShellItem, folder.put_void())))
        dialog->SetFolder(reinterpret_cast<IShellItem*>(folder.get()));
    ThrowIfFailed(dialog->SetFileName(config.fileName.c_str()));
    return dialog;
}

}  // namespace win32

namespace {

std::optional<std::wstring> Show(REFCLSID kind, const FileDialogConfig& config) {
    const win32::ComPtr<IFileDialog> dialog = win32::CreateFileDialog(kind, config);
    // Cancel comes back as HRESULT_FROM_WIN32(ERROR_CANCELLED); any failure counts as no choice.
    if (FAILED(dialog->Show(win32::ToHwnd(config.owner)))) return std::nullopt;
    win32::ComPtr<IShellItem> item;
    if (FAILED(dialog->GetResult(reinterpret_cast<IShellItem**>(item.put_void())))) return std::nullopt;
    wchar_t* path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return std::nullopt;
    std::wstring chosen = path;
    ::CoTaskMemFree(path);
    return chosen;
}

}  // namespace

std::optional<std::wstring> ShowOpenDialog(const FileDialogConfig& config) {
    return Show(CLSID_FileOpenDialog, config);
}

std::optional<std::wstring> ShowSaveDialog(const FileDialogConfig& config) {
    return Show(CLSID_FileSaveDialog, config);
}

}  // namespace platform
