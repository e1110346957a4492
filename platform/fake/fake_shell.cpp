// The fake shell: every request recorded, drops scripted, special folders by CSIDL, and shell
// links as file entries that carry a target.
#include <stdexcept>

#include "platform/fake/fake_platform.h"

namespace platform {

using fake::Log;
using fake::Optional;
using fake::Platform;

void ShellExecuteW(WindowHandle owner, const wchar_t* verb, const std::wstring& file,
                   const wchar_t* parameters, const wchar_t* directory, ShowCommand show) {
    Log("ShellExecuteW");
    Platform().shellExecutes.push_back(
        {owner, Optional(verb), file, Optional(parameters), Optional(directory), show});
}

bool ShellExecuteExW(const ShellExecuteInfo& info) {
    Log("ShellExecuteExW");
    Platform().info.shellExecuteExes.push_back({info.mask, info.window, Optional(info.verb),
                                                Optional(info.file), Optional(info.parameters),
                                                Optional(info.directory)});
    return true;
}

// ---- Drops

void DragAcceptFiles(WindowHandle window, bool accept) {
    Log("DragAcceptFiles");
    fake::TheWindow(window).acceptsDrops = accept;
}

std::uint32_t DragQueryFileW(DropHandle drop, std::uint32_t index, std::wstring* buffer,
                             std::uint32_t bufferChars) {
    Log("DragQueryFileW");
    fake::Download& machine = Platform().download;
    machine.dragQueries.push_back({index, buffer != nullptr, bufferChars});
    const fake::Drop& dropped = machine.drops.at(drop);
    if (index == kDragQueryCount) return static_cast<std::uint32_t>(dropped.paths.size());
    if (index >= dropped.paths.size()) return 0;
    const std::wstring& path = dropped.paths[index];
    if (!buffer) return static_cast<std::uint32_t>(path.size());
    *buffer = path.substr(0, bufferChars == 0 ? 0 : bufferChars - 1);
    return static_cast<std::uint32_t>(buffer->size());
}

void DragFinish(DropHandle drop) {
    Log("DragFinish");
    ++Platform().download.drops.at(drop).finishes;
}

// ---- Special folders: an item id list is the CSIDL plus one, so that 0 stays "none".

UniqueItemIdList SHGetSpecialFolderLocation(WindowHandle owner, int csidl) {
    Log("SHGetSpecialFolderLocation");
    Platform().specialFolderOwners.push_back(owner);
    if (!Platform().specialFolders.count(csidl)) return UniqueItemIdList();
    ++Platform().itemIdListsAlive;
    return UniqueItemIdList(static_cast<ItemIdList>(csidl + 1));
}

std::wstring SHGetPathFromIDListW(ItemIdList list, int bufferChars) {
    Log("SHGetPathFromIDListW");
    if (list == 0) return L"";
    // The system writes up to MAX_PATH characters, terminator included, whatever the buffer:
    // a smaller one would be overrun, and a longer path does not come back at all.
    if (bufferChars < 260) throw std::logic_error("SHGetPathFromIDListW needs a MAX_PATH buffer");
    std::wstring path = Platform().specialFolders.at(static_cast<int>(list) - 1);
    if (path.size() >= 260) path.clear();
    return path;
}

void CoTaskMemFree(ItemIdList list) {
    Log("CoTaskMemFree");
    if (list != 0) --Platform().itemIdListsAlive;
}

FolderPathResult SHGetFolderPathW(WindowHandle, int csidl, std::uintptr_t token, std::uint32_t) {
    Log("SHGetFolderPathW");
    // The token -1 names the Default User; any other is a user's token, which the fake has not.
    if (token == static_cast<std::uintptr_t>(-1)) return {0, LR"(C:\Users\Default\AppData\Roaming)"};
    if (token != 0) return {static_cast<std::int32_t>(0x80070006), L""};  // E_HANDLE
    const fake::MainWindowMachine& machine = Platform().mainWindow;
    if (csidl != kCsidlAppData || machine.appDataResult < 0) return {machine.appDataResult, L""};
    return {0, machine.appData};
}

// ---- Shell links: a link is a file entry with a target.

struct ShellLink::Impl {
    std::optional<std::wstring> loadedTarget;
};

ShellLink::ShellLink() {
    Log("CoCreateInstance(ShellLink)");
    if (Platform().shellLinkUnavailable) throw Error(L"Class not registered");
    impl_ = std::make_unique<Impl>();
}

ShellLink::~ShellLink() = default;

std::int32_t ShellLink::Load(const std::wstring& path, std::uint32_t) {
    Log("IPersistFile::Load");
    Platform().shellLinkLoads.push_back(path);
    const auto found = Platform().files.find(path);
    if (found == Platform().files.end() || !found->second.shortcutTarget)
        return static_cast<std::int32_t>(0x80004005);  // E_FAIL
    impl_->loadedTarget = found->second.shortcutTarget;
    return 0;
}

std::int32_t ShellLink::Resolve(WindowHandle owner, std::uint32_t flags) {
    Log("IShellLinkW::Resolve");
    Platform().shellLinkResolveOwners.push_back(owner);
    Platform().shellLinkResolveFlags.push_back(flags);
    return 0;
}

std::int32_t ShellLink::GetPath(std::wstring& path, int bufferChars, std::uint32_t) {
    Log("IShellLinkW::GetPath");
    path = impl_->loadedTarget.value_or(L"");
    if (path.size() >= static_cast<std::size_t>(bufferChars)) path.resize(bufferChars - 1);
    return 0;
}

std::int32_t ShellLink::SetPath(const std::wstring& path) {
    Log("IShellLinkW::SetPath");
    impl_->loadedTarget = path;
    return 0;
}

std::int32_t ShellLink::Save(const std::wstring& path, bool remember) {
    Log("IPersistFile::Save");
    Platform().info.shellLinkSaveRemember.push_back(remember);
    if (Platform().info.shellLinkSaveResult != 0) return Platform().info.shellLinkSaveResult;
    fake::FileEntry entry;
    entry.shortcutTarget = impl_->loadedTarget.value_or(L"");
    Platform().files[path] = entry;
    return 0;
}

}  // namespace platform
