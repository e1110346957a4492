#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cwctype>

namespace fake {

namespace {
wchar_t Fold(wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))); }
}  // namespace

bool PathLess::operator()(const std::wstring& a, const std::wstring& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](wchar_t x, wchar_t y) { return Fold(x) < Fold(y); });
}

State& Platform() {
    static State state;
    return state;
}

void Reset() { Platform() = State{}; }

Window& TheWindow(platform::WindowHandle handle) { return Platform().windows.at(handle); }

void Log(const char* name) { Platform().calls.emplace_back(name); }

std::optional<std::wstring> Optional(const wchar_t* text) {
    return text ? std::optional<std::wstring>(text) : std::nullopt;
}

}  // namespace fake

namespace platform {

using fake::Platform;

using fake::Log;
using fake::Optional;

namespace {
int NextAnswer(int fallback) {
    auto& answers = Platform().boxAnswers;
    if (answers.empty()) return fallback;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}
}  // namespace

// ---- Process and COM

std::wstring GetCommandLineW() {
    Log("GetCommandLineW");
    return Platform().commandLine;
}

std::wstring GetModuleFileNameW() {
    Log("GetModuleFileNameW");
    return Platform().moduleFileName;
}

void PostQuitMessage(int exitCode) {
    Log("PostQuitMessage");
    Platform().quitPosted = exitCode;
}

bool QueryPerformanceCounter(std::int64_t& counter) {
    Log("QueryPerformanceCounter");
    counter = Platform().performanceCounter;
    return Platform().performanceCounterAvailable;
}

std::uint32_t GetTickCount() {
    Log("GetTickCount");
    return Platform().tickCount;
}

bool CoInitialize() {
    Log("CoInitialize");
    return Platform().coInitializeSucceeds;
}

void CoUninitialize() {
    Log("CoUninitialize");
    ++Platform().coUninitializeCount;
}

std::uint32_t GetThreadLocale() {
    Log("GetThreadLocale");
    return Platform().threadLocale;
}

ShowCommand GetStartupShowCommand() {
    Log("GetStartupShowCommand");
    return Platform().startupShowCommand;
}

// ---- Shell

void ShellExecuteW(WindowHandle owner, const wchar_t* verb, const std::wstring& file,
                   const wchar_t* parameters, const wchar_t* directory, ShowCommand show) {
    Log("ShellExecuteW");
    Platform().shellExecutes.push_back(
        {owner, Optional(verb), file, Optional(parameters), Optional(directory), show});
}

void DragAcceptFiles(WindowHandle window, bool accept) {
    Log("DragAcceptFiles");
    fake::TheWindow(window).acceptsDrops = accept;
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

std::int32_t ShellLink::Resolve(WindowHandle, std::uint32_t flags) {
    Log("IShellLinkW::Resolve");
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

// ---- File system

LongPathResult GetLongPathNameW(const std::wstring& path, std::uint32_t bufferChars) {
    Log("GetLongPathNameW");
    std::wstring longForm;
    if (const auto alias = Platform().longNames.find(path); alias != Platform().longNames.end())
        longForm = alias->second;
    else if (Platform().files.count(path))
        longForm = path;
    else
        return {};
    // As Windows: the length without NUL when it fits, else the size the buffer would need.
    if (longForm.size() < bufferChars) return {static_cast<std::uint32_t>(longForm.size()), longForm};
    return {static_cast<std::uint32_t>(longForm.size() + 1), L""};
}

bool FileExists(const std::wstring& path) {
    Log("FileExists");
    const auto found = Platform().files.find(path);
    return found != Platform().files.end() && !found->second.directory;
}

// ---- Special folders: an item id list is the CSIDL plus one, so that 0 stays "none".

ItemIdList SHGetSpecialFolderLocation(WindowHandle owner, int csidl) {
    Log("SHGetSpecialFolderLocation");
    Platform().specialFolderOwners.push_back(owner);
    if (!Platform().specialFolders.count(csidl)) return 0;
    ++Platform().itemIdListsAlive;
    return static_cast<ItemIdList>(csidl + 1);
}

std::wstring SHGetPathFromIDListW(ItemIdList list, int bufferChars) {
    Log("SHGetPathFromIDListW");
    if (list == 0) return L"";
    std::wstring path = Platform().specialFolders.at(static_cast<int>(list) - 1);
    if (path.size() >= static_cast<std::size_t>(bufferChars)) path.clear();
    return path;
}

void CoTaskMemFree(ItemIdList list) {
    Log("CoTaskMemFree");
    if (list != 0) --Platform().itemIdListsAlive;
}

// ---- Locale

std::wstring LCMapStringW(std::uint32_t locale, std::uint32_t flags, const std::wstring& text) {
    Log("LCMapStringW");
    Platform().lcmapCalls.emplace_back(locale, flags);
    std::wstring mapped = text;
    if (flags & kLcmapLowercase)
        for (wchar_t& c : mapped) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return mapped;
}

// ---- Main window

void SetActivePage(WindowHandle window, int page) {
    Log("SetActivePage");
    fake::TheWindow(window).activePage = page;
}

void DestroyWindow(WindowHandle window) {
    Log("DestroyWindow");
    fake::TheWindow(window).destroyed = true;
    fake::TheWindow(window).visible = false;
}

void SetWindowTextW(WindowHandle window, const std::wstring& text) {
    Log("SetWindowTextW");
    fake::TheWindow(window).caption = text;
}

void ShowWindow(WindowHandle window, ShowCommand show) {
    Log("ShowWindow");
    fake::Window& target = fake::TheWindow(window);
    target.shows.push_back(show);
    target.visible = show != ShowCommand::Hide;
}

bool IsWindowVisible(WindowHandle window) {
    const auto found = Platform().windows.find(window);
    return found != Platform().windows.end() && found->second.visible;
}

void SetForegroundWindow(WindowHandle) { Log("SetForegroundWindow"); }

void EnableControl(WindowHandle window, int controlId, bool enabled) {
    Log("EnableControl");
    fake::TheWindow(window).enabled[controlId] = enabled;
}

bool IsControlEnabled(WindowHandle window, int controlId) {
    const fake::Window& target = fake::TheWindow(window);
    const auto found = target.enabled.find(controlId);
    return found == target.enabled.end() || found->second;
}

void CheckControl(WindowHandle window, int controlId, bool checked) {
    Log("CheckControl");
    fake::TheWindow(window).checked[controlId] = checked;
}

bool IsControlChecked(WindowHandle window, int controlId) {
    const fake::Window& target = fake::TheWindow(window);
    const auto found = target.checked.find(controlId);
    return found != target.checked.end() && found->second;
}

int RunMessageLoop() {
    Log("RunMessageLoop");
    return Platform().quitPosted.value_or(0);
}

// ---- Boxes

int MessageBoxW(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                std::uint32_t type) {
    Log("MessageBoxW");
    Platform().boxes.push_back({fake::BoxCall::Kind::MessageBox, owner, caption, text, type});
    const bool yesNo = (type & 0xF) == kMbYesNo || (type & 0xF) == kMbYesNoCancel;
    return NextAnswer(yesNo ? kIdYes : kIdOk);
}

bool TaskDialogAvailable() { return Platform().taskDialogAvailable; }

int TaskDialogIndirect(const TaskDialogConfig& config) {
    Log("TaskDialogIndirect");
    Platform().boxes.push_back(
        {fake::BoxCall::Kind::TaskDialog, config.owner, config.caption, config.content, config.flags});
    return NextAnswer(kIdOk);
}

}  // namespace platform
