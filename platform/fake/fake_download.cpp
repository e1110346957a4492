#include <algorithm>
#include <cstring>
#include <cwctype>

#include "app/form.h"
#include "app/messages.h"
#include "platform/fake/fake_platform.h"

namespace platform {

using fake::Log;
using fake::Platform;

namespace {

fake::Download& Machine() { return Platform().download; }

bool SameText(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

// A folder exists when the fake disk lists it, or lists anything inside it; a drive always.
bool FolderExists(const std::wstring& folder) {
    if (folder.size() <= 2) return true;
    for (const auto& [path, entry] : Platform().files) {
        if (SameText(path, folder)) return entry.directory;
        if (path.size() > folder.size() && path[folder.size()] == L'\\' &&
            SameText(path.substr(0, folder.size()), folder))
            return true;
    }
    return false;
}

std::wstring ParentOf(const std::wstring& path) {
    const std::size_t end = path.find_last_of(L'\\');
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end);
}

std::map<FileHandle, std::wstring>& OpenFiles() { return Machine().openFiles; }
std::map<InternetHandle, fake::Download::Request>& Requests() { return Machine().requests; }

InternetHandle nextInternetHandle = 0x1000;
FileHandle nextFileHandle = 0x2000;

}  // namespace

// ---- Drops

std::uint32_t DragQueryFileW(DropHandle drop, std::uint32_t index, std::wstring* buffer,
                             std::uint32_t bufferChars) {
    Log("DragQueryFileW");
    Machine().dragQueries.push_back({index, buffer != nullptr, bufferChars});
    const fake::Drop& dropped = Machine().drops.at(drop);
    if (index == kDragQueryCount) return static_cast<std::uint32_t>(dropped.paths.size());
    if (index >= dropped.paths.size()) return 0;
    const std::wstring& path = dropped.paths[index];
    if (!buffer) return static_cast<std::uint32_t>(path.size());
    *buffer = path.substr(0, bufferChars == 0 ? 0 : bufferChars - 1);
    return static_cast<std::uint32_t>(buffer->size());
}

void DragFinish(DropHandle drop) {
    Log("DragFinish");
    ++Machine().drops.at(drop).finishes;
}

// The main window's procedure, as far as the fake needs it: a drop runs WMDropFiles.
std::intptr_t SendMessageW(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
    Log("SendMessageW");
    Machine().sentMessages.push_back({window, message, wParam, lParam});
    if (Form1 && window == Form1->Handle() && message == kWmDropFiles)
        RunCommand([&] { Form1->WMDropFiles(static_cast<DropHandle>(wParam)); });
    return 0;
}

void RestoreApplication(WindowHandle) {
    Log("RestoreApplication");
    ++Machine().restores;
}

// ---- Dialogs

namespace {
std::optional<std::wstring> Answer(std::deque<std::optional<std::wstring>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<std::wstring> answer = answers.front();
    answers.pop_front();
    return answer;
}
}  // namespace

std::optional<std::wstring> ShowOpenDialog(const FileDialogConfig& config) {
    Log("ShowOpenDialog");
    Machine().openDialogs.push_back(config);
    return Answer(Machine().openDialogAnswers);
}

std::optional<std::wstring> ShowSaveDialog(const FileDialogConfig& config) {
    Log("ShowSaveDialog");
    Machine().saveDialogs.push_back(config);
    return Answer(Machine().saveDialogAnswers);
}

// ---- WinINet

InternetHandle InternetOpenW(const wchar_t* agent, std::uint32_t accessType, const wchar_t* proxy,
                             const wchar_t* proxyBypass, std::uint32_t flags) {
    Log("InternetOpenW");
    Machine().internetOpens.push_back(
        {agent != nullptr, accessType, proxy != nullptr, proxyBypass != nullptr, flags});
    if (Machine().internetOpenFails) return 0;
    ++Machine().internetHandlesAlive;
    return nextInternetHandle++;
}

InternetHandle InternetOpenUrlW(InternetHandle internet, const std::wstring& url, const wchar_t* headers,
                                std::uint32_t headersLength, std::uint32_t flags, std::uintptr_t context) {
    Log("InternetOpenUrlW");
    Machine().urlOpens.push_back({internet, url, headers != nullptr, headersLength, flags, context});
    const auto found = Machine().servers.find(url);
    if (found == Machine().servers.end()) return 0;
    ++Machine().internetHandlesAlive;
    const InternetHandle handle = nextInternetHandle++;
    Requests()[handle] = {found->second, 0, 0};
    return handle;
}

std::uint32_t HttpQueryStatusCode(InternetHandle request) {
    Log("HttpQueryStatusCode");
    return Requests().at(request).server.status;
}

std::optional<std::uint64_t> HttpQueryContentLength(InternetHandle request) {
    Log("HttpQueryContentLength");
    return Requests().at(request).server.contentLength;
}

bool InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead, std::uint32_t& count) {
    Log("InternetReadFile");
    Machine().readSizes.push_back(bytesToRead);
    fake::Download::Request& request = Requests().at(file);
    count = 0;
    if (request.piece >= request.server.pieces.size()) return true;
    const fake::Piece& piece = request.server.pieces[request.piece];
    if (piece.fails) {
        ++request.piece;
        return false;
    }
    const std::size_t size = std::min<std::size_t>(bytesToRead, piece.bytes.size() - request.offset);
    std::memcpy(buffer, piece.bytes.data() + request.offset, size);
    count = static_cast<std::uint32_t>(size);
    request.offset += size;
    if (request.offset >= piece.bytes.size()) {
        ++request.piece;
        request.offset = 0;
    }
    return true;
}

void InternetCloseHandle(InternetHandle handle) {
    Log("InternetCloseHandle");
    if (handle == 0) return;
    Requests().erase(handle);
    --Machine().internetHandlesAlive;
}

// ---- Files

CreatedFile CreateFileW(const std::wstring& path, std::uint32_t, std::uint32_t, std::uint32_t disposition,
                        std::uint32_t) {
    Log("CreateFileW");
    if (const auto scripted = Machine().createErrors.find(path); scripted != Machine().createErrors.end())
        return {0, scripted->second};
    for (const auto& [handle, open] : OpenFiles())
        if (SameText(open, path)) return {0, 32};      // ERROR_SHARING_VIOLATION: held with share mode 0
    if (!FolderExists(ParentOf(path))) return {0, 3};  // ERROR_PATH_NOT_FOUND
    auto& files = Platform().files;
    const auto found = files.find(path);
    if (found != files.end() && found->second.directory) return {0, 5};  // ERROR_ACCESS_DENIED
    if (disposition == kOpenExisting && found == files.end()) return {0, kErrorFileNotFound};
    if (disposition == kCreateNew && found != files.end()) return {0, kErrorFileExists};
    if (found == files.end()) files[path] = fake::FileEntry{};
    if (disposition != kOpenExisting) files[path].bytes.clear();
    ++Machine().fileHandlesAlive;
    const FileHandle handle = nextFileHandle++;
    OpenFiles()[handle] = path;
    return {handle, 0};
}

bool WriteFile(FileHandle file, const void* data, std::uint32_t size, std::uint32_t& error) {
    Log("WriteFile");
    if (Machine().failingWrite == Machine().writes++) {
        error = 112;  // ERROR_DISK_FULL
        return false;
    }
    Platform().files[OpenFiles().at(file)].bytes.append(static_cast<const char*>(data), size);
    return true;
}

void CloseHandle(FileHandle file) {
    Log("CloseHandle");
    OpenFiles().erase(file);
    --Machine().fileHandlesAlive;
}

std::uint32_t MoveFileExW(const std::wstring& from, const std::wstring& to, std::uint32_t flags) {
    Log("MoveFileExW");
    Machine().moves.push_back({from, to, flags});
    if (const auto scripted = Machine().createErrors.find(to); scripted != Machine().createErrors.end())
        return scripted->second;
    auto& files = Platform().files;
    const auto source = files.find(from);
    if (source == files.end()) return kErrorFileNotFound;
    if (files.count(to) && !(flags & kMoveFileReplaceExisting)) return 183;  // ERROR_ALREADY_EXISTS
    fake::FileEntry moved = source->second;
    files.erase(source);
    files.erase(to);
    files[to] = moved;
    return 0;
}

std::wstring SystemErrorText(std::uint32_t code) {
    switch (code) {
        case 2:
            return L"The system cannot find the file specified";
        case 3:
            return L"The system cannot find the path specified";
        case 5:
            return L"Access is denied";
        case 32:
            return L"The process cannot access the file because it is being used by another process";
        case 112:
            return L"There is not enough space on the disk";
        default:
            return L"System error " + std::to_wstring(code);
    }
}

// ---- Clock, sound, thread

void MessageBeep(std::uint32_t) {
    Log("MessageBeep");
    ++Machine().beeps;
}

void Sleep(std::uint32_t) {
    Log("Sleep");
    ++Machine().sleeps;
}

void ProcessMessages() {
    Log("ProcessMessages");
    const int pump = ++Machine().pumps;
    if (const auto action = Machine().onPump.find(pump); action != Machine().onPump.end()) {
        const std::function<void()> run = action->second;
        run();
    }
}

}  // namespace platform
