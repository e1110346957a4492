// The fake main window's layout calls and the fake of what the settings file needs. Files live
// in the fake file system; the profile reader reads them the way Windows does: sections and
// keys without regard to case, the first match wins, blanks and one pair of quotes go.
#include <algorithm>
#include <cwctype>

#include "platform/fake/fake_platform.h"
#include "settings/ini_document.h"
#include "settings/text_encoding.h"

namespace platform {

using fake::Log;
using fake::Platform;

namespace {

fake::MainWindowMachine& Machine() { return Platform().mainWindow; }

std::wstring Trimmed(std::wstring text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    while (!text.empty() && blank(text.front())) text.erase(0, 1);
    return text;
}

}  // namespace

// ---- Main window

WindowHandle CreateMainWindow(const WindowLayout& layout) {
    Log("CreateMainWindow");
    if (Platform().createWindowError) throw Error(*Platform().createWindowError);
    const WindowHandle handle = Platform().nextWindow++;
    fake::Window& window = Platform().windows[handle];
    window.width96 = layout.width96;
    window.height96 = layout.height96;
    for (const PageLayout& page : layout.pages) window.pages.push_back(page.caption);
    for (const ControlLayout& control : layout.controls) window.enabled[control.id] = control.enabled;
    Machine().layout = layout;
    return handle;
}

int GetTabControlClientWidth(WindowHandle) {
    Log("GetTabControlClientWidth");
    return Machine().tabClientWidth;
}

void SetTabWidth(WindowHandle, int width) {
    Log("SetTabWidth");
    Machine().tabWidths.push_back(width);
}

void PostMessageW(WindowHandle, std::uint32_t message, std::uintptr_t, std::intptr_t) {
    Log("PostMessageW");
    Machine().postedMessages.push_back(message);
}

// ---- Settings

FolderPathResult SHGetFolderPathW(WindowHandle, int csidl, std::uintptr_t, std::uint32_t) {
    Log("SHGetFolderPathW");
    if (csidl != kCsidlAppData || Machine().appDataResult < 0) return {Machine().appDataResult, L""};
    return {0, Machine().appData};
}

std::wstring GetPrivateProfileStringW(const std::wstring& section, const std::wstring& key,
                                      const std::wstring& defaultValue, std::uint32_t bufferChars,
                                      const std::wstring& fileName) {
    Log("GetPrivateProfileStringW");
    Machine().profileFilesRead.push_back(fileName);
    std::wstring value = defaultValue;
    const auto file = Platform().files.find(fileName);
    if (file != Platform().files.end() && !file->second.directory) {
        const std::string& bytes = file->second.bytes;
        const TextEncoding encoding = DetectEncoding(bytes);
        const IniDocument document = IniDocument::Parse(DecodeText(bytes, encoding, Machine().codePage));
        const auto found = std::find_if(document.Sections().begin(), document.Sections().end(),
                                        [&](const IniSection& s) { return SameName(s.name, section); });
        if (found != document.Sections().end()) {
            for (const std::wstring& line : found->lines) {
                const std::size_t equals = line.find(L'=');
                if (equals == std::wstring::npos || !SameName(Trimmed(line.substr(0, equals)), key)) continue;
                value = Trimmed(line.substr(equals + 1));
                if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
                    value.back() == value.front())
                    value = value.substr(1, value.size() - 2);
                break;
            }
        }
    }
    if (value.size() >= bufferChars) value.resize(bufferChars - 1);
    return value;
}

bool GetWindowPlacement(WindowHandle, WindowPlacement& placement) {
    Log("GetWindowPlacement");
    Machine().placementLengthsAsked.push_back(placement.length);
    placement = Machine().placement;
    return true;
}

bool SetWindowPlacement(WindowHandle, const WindowPlacement& placement) {
    Log("SetWindowPlacement");
    Machine().placementsSet.push_back(placement);
    Machine().placement = placement;
    return true;
}

bool SystemParametersInfoWorkArea(Rect& workArea) {
    Log("SystemParametersInfoWorkArea");
    workArea = Machine().workArea;
    return true;
}

bool DirectoryExists(const std::wstring& path) {
    Log("DirectoryExists");
    std::wstring folder = path;
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    const auto found = Platform().files.find(folder);
    return found != Platform().files.end() && found->second.directory;
}

bool CreateDirectoryW(const std::wstring& path) {
    Log("CreateDirectoryW");
    const auto& refused = Machine().uncreatableFolders;
    if (std::any_of(refused.begin(), refused.end(), [&](const std::wstring& f) { return SameName(f, path); }))
        return false;
    const std::size_t separator = path.rfind(L'\\');
    if (separator != std::wstring::npos && path.find(L'\\') != separator &&
        !DirectoryExists(path.substr(0, separator)))
        return false;
    fake::FileEntry entry;
    entry.directory = true;
    return Platform().files.emplace(path, entry).second;
}

std::string ReadFileBytes(const std::wstring& path) {
    Log("ReadFileBytes");
    if (Machine().readError) throw Error(*Machine().readError);
    const auto found = Platform().files.find(path);
    if (found == Platform().files.end()) throw Error(L"Cannot open file \"" + path + L"\"");
    return found->second.bytes;
}

void PublishFile(const std::wstring& path, const std::string& bytes) {
    Log("PublishFile");
    if (Machine().publishError) throw Error(*Machine().publishError);
    fake::FileEntry entry;
    entry.bytes = bytes;
    Platform().files[path] = entry;
}

std::uint32_t GetACP() {
    Log("GetACP");
    return Machine().codePage;
}

// The fake knows one single-byte code page (Latin-1 as a stand-in for 1252) and UTF-8.
std::string WideCharToMultiByte(std::uint32_t codePage, const std::wstring& text) {
    Log("WideCharToMultiByte");
    if (codePage == kCodePageUtf8) return EncodeText(text, TextEncoding::Utf8, codePage).substr(3);
    std::string bytes;
    for (wchar_t c : text) bytes += static_cast<unsigned>(c) < 0x100 ? static_cast<char>(c) : '?';
    return bytes;
}

std::wstring MultiByteToWideChar(std::uint32_t codePage, const std::string& bytes) {
    Log("MultiByteToWideChar");
    if (codePage == kCodePageUtf8) return DecodeText("\xEF\xBB\xBF" + bytes, TextEncoding::Utf8, codePage);
    std::wstring text;
    for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return text;
}

namespace {
std::wstring TwoDigits(int value) { return (value < 10 ? L"0" : L"") + std::to_wstring(value); }
}  // namespace

// A Japanese user's formats: yyyy/MM/dd and H:mm:ss.
std::wstring GetDateFormatW(std::uint32_t, std::uint32_t, const SystemTime& time) {
    Log("GetDateFormatW");
    return std::to_wstring(time.year) + L"/" + TwoDigits(time.month) + L"/" + TwoDigits(time.day);
}

std::wstring GetTimeFormatW(std::uint32_t, std::uint32_t, const SystemTime& time) {
    Log("GetTimeFormatW");
    return std::to_wstring(time.hour) + L":" + TwoDigits(time.minute) + L":" + TwoDigits(time.second);
}

}  // namespace platform
