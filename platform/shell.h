#pragma once
// The Windows shell: opening files and URLs, the properties sheet, dropped files, special
// folders, the roaming folder and shell links.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/owner.h"
#include "platform/types.h"

namespace platform {

// verb, parameters and directory may be null, as in the Windows call.
void ShellExecuteW(WindowHandle owner, const wchar_t* verb, const std::wstring& file,
                   const wchar_t* parameters, const wchar_t* directory, ShowCommand show);

constexpr std::uint32_t kSeeMaskInvokeIdList = 0x0000000C;
constexpr std::uint32_t kSeeMaskNoCloseProcess = 0x00000040;
constexpr std::uint32_t kSeeMaskFlagNoUi = 0x00000400;

// The fields of a SHELLEXECUTEINFOW that the program sets; cbSize is filled in by the call and
// every field not here is zero. A null pointer stays null.
struct ShellExecuteInfo {
    std::uint32_t mask = 0;
    WindowHandle window = 0;
    const wchar_t* verb = nullptr;
    const wchar_t* file = nullptr;
    const wchar_t* parameters = nullptr;
    const wchar_t* directory = nullptr;
};
bool ShellExecuteExW(const ShellExecuteInfo& info);

// ---- Dropped files --------------------------------------------------------------------------

// The HDROP of a WM_DROPFILES message, released with DragFinish.
using DropHandle = std::uintptr_t;
void DragFinish(DropHandle drop);
using UniqueDrop = Owner<&DragFinish>;

void DragAcceptFiles(WindowHandle window, bool accept);

constexpr std::uint32_t kDragQueryCount = 0xFFFFFFFF;
// As the Windows call: with kDragQueryCount the number of dropped paths; with an index and no
// buffer the path's length without NUL; with a buffer of bufferChars the path, cut to fit and
// NUL-terminated, and the number of characters copied.
std::uint32_t DragQueryFileW(DropHandle drop, std::uint32_t index, std::wstring* buffer,
                             std::uint32_t bufferChars);

// ---- Special folders (CSIDL values) ---------------------------------------------------------

constexpr int kCsidlDesktop = 0;
constexpr int kCsidlPrograms = 2;
constexpr int kCsidlStartup = 7;
constexpr int kCsidlSendTo = 9;
constexpr int kCsidlAppData = 26;

// A PIDLIST_ABSOLUTE the shell allocated, released with CoTaskMemFree.
using ItemIdList = std::uintptr_t;
void CoTaskMemFree(ItemIdList list);
using UniqueItemIdList = Owner<&CoTaskMemFree>;

// The result code is not returned: callers do not look at it. No list when the shell found
// nothing.
UniqueItemIdList SHGetSpecialFolderLocation(WindowHandle owner, int csidl);
// The buffer's text up to its first NUL (empty when the shell left it empty).
std::wstring SHGetPathFromIDListW(ItemIdList list, int bufferChars);

constexpr std::uint32_t kShgfpTypeCurrent = 0;
struct FolderPathResult {
    std::int32_t result = 0;  // the HRESULT
    std::wstring path;        // the buffer's text up to its first NUL
};
FolderPathResult SHGetFolderPathW(WindowHandle owner, int csidl, std::uintptr_t token, std::uint32_t flags);

// ---- Shell links ----------------------------------------------------------------------------

constexpr std::uint32_t kStgmRead = 0;
constexpr std::uint32_t kSlrAnyMatch = 0x2;
constexpr std::uint32_t kSlgpUncPriority = 0x2;

// One CLSID_ShellLink object with its IShellLinkW and IPersistFile interfaces, released when
// the object goes. Creating it throws Error when the shell cannot provide the object.
// Methods return the HRESULT of the interface call they stand for.
class ShellLink {
public:
    ShellLink();
    ~ShellLink();
    ShellLink(const ShellLink&) = delete;
    ShellLink& operator=(const ShellLink&) = delete;

    std::int32_t Load(const std::wstring& path, std::uint32_t mode);
    std::int32_t Resolve(WindowHandle owner, std::uint32_t flags);
    // Passes a zeroed buffer of bufferChars + 1 characters, telling the shell it holds
    // bufferChars; `path` receives the buffer's text up to its first NUL.
    std::int32_t GetPath(std::wstring& path, int bufferChars, std::uint32_t flags);
    std::int32_t SetPath(const std::wstring& path);
    std::int32_t Save(const std::wstring& path, bool remember);

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
