// The shell: opening files and URLs, the properties sheet, drops, special folders, the roaming
// folder and shell links.
#include "platform/shell.h"

#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace platform {

using win32::ComPtr;
using win32::ThrowIfFailed;
using win32::ToHwnd;

void ShellExecuteW(WindowHandle owner, const wchar_t* verb, const std::wstring& file,
                   const wchar_t* parameters, const wchar_t* directory, ShowCommand show) {
    ::ShellExecuteW(ToHwnd(owner), verb, file.c_str(), parameters, directory, static_cast<int>(show));
}

bool ShellExecuteExW(const ShellExecuteInfo& info) {
    SHELLEXECUTEINFOW shell{};
    shell.cbSize = sizeof shell;
    shell.fMask = info.mask;
    shell.hwnd = win32::ToHwnd(info.window);
    shell.lpVerb = info.verb;
    shell.lpFile = info.file;
    shell.lpParameters = info.parameters;
    shell.lpDirectory = info.directory;
    const bool started = ::ShellExecuteExW(&shell) != 0;
    // SEE_MASK_NOCLOSEPROCESS may hand back a process handle that nobody waits on.
    if (shell.hProcess) ::CloseHandle(shell.hProcess);
    return started;
}

void DragAcceptFiles(WindowHandle window, bool accept) { ::DragAcceptFiles(ToHwnd(window), accept); }

std::uint32_t DragQueryFileW(DropHandle drop, std::uint32_t index, std::wstring* buffer,
                             std::uint32_t bufferChars) {
    const auto hdrop = reinterpret_cast<HDROP>(drop);
    if (!buffer || bufferChars == 0) return ::DragQueryFileW(hdrop, index, nullptr, 0);
    std::wstring name(bufferChars, L'\0');
    const UINT copied = ::DragQueryFileW(hdrop, index, name.data(), bufferChars);
    *buffer = name.c_str();
    return copied;
}

void DragFinish(DropHandle drop) { ::DragFinish(reinterpret_cast<HDROP>(drop)); }

UniqueItemIdList SHGetSpecialFolderLocation(WindowHandle owner, int csidl) {
    PIDLIST_ABSOLUTE list = nullptr;
    ::SHGetSpecialFolderLocation(ToHwnd(owner), csidl, &list);
    return UniqueItemIdList(reinterpret_cast<ItemIdList>(list));
}

std::wstring SHGetPathFromIDListW(ItemIdList list, int bufferChars) {
    if (list == 0) return L"";
    std::wstring buffer(static_cast<std::size_t>(bufferChars), L'\0');
    ::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(list), buffer.data());
    return buffer.c_str();
}

void CoTaskMemFree(ItemIdList list) { ::CoTaskMemFree(reinterpret_cast<void*>(list)); }

FolderPathResult SHGetFolderPathW(WindowHandle owner, int csidl, std::uintptr_t token, std::uint32_t flags) {
    wchar_t buffer[MAX_PATH + 1] = {};
    const HRESULT result =
        ::SHGetFolderPathW(win32::ToHwnd(owner), csidl, reinterpret_cast<HANDLE>(token), flags, buffer);
    return {static_cast<std::int32_t>(result), buffer};
}

struct ShellLink::Impl {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
};

ShellLink::ShellLink() : impl_(std::make_unique<Impl>()) {
    ComPtr<IUnknown> object;
    ThrowIfFailed(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                     IID_IUnknown, object.put_void()));
    ThrowIfFailed(object->QueryInterface(IID_IShellLinkW, impl_->link.put_void()));
    ThrowIfFailed(impl_->link->QueryInterface(IID_IPersistFile, impl_->file.put_void()));
}

ShellLink::~ShellLink() = default;

std::int32_t ShellLink::Load(const std::wstring& path, std::uint32_t mode) {
    return impl_->file->Load(path.c_str(), mode);
}

std::int32_t ShellLink::Resolve(WindowHandle owner, std::uint32_t flags) {
    return impl_->link->Resolve(ToHwnd(owner), flags);
}

std::int32_t ShellLink::GetPath(std::wstring& path, int bufferChars, std::uint32_t flags) {
    std::wstring buffer(static_cast<std::size_t>(bufferChars) + 1, L'\0');
    // No find-data record: the program never reads it, and Wine fills its 14-character short
    // name from a buffer it leaves unset when the target's short form is 260 characters or more.
    const HRESULT result = impl_->link->GetPath(buffer.data(), bufferChars, nullptr, flags);
    path = buffer.c_str();
    return result;
}

std::int32_t ShellLink::SetPath(const std::wstring& path) { return impl_->link->SetPath(path.c_str()); }

std::int32_t ShellLink::Save(const std::wstring& path, bool remember) {
    return impl_->file->Save(path.c_str(), remember);
}

}  // namespace platform
