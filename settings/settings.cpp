// The settings file, the close query and the end of the session. The file is read key by key
// through the profile reader at start and rewritten in one piece at every close that goes ahead.
#include "app/constants.h"
#include "app/form.h"
#include "app/messages.h"
#include "app/session.h"
#include "app/texts.h"
#include "files/paths.h"
#include "files/replacing_file.h"
#include "platform/clock_locale.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "settings/ini_document.h"
#include "settings/placement_defaults.h"
#include "settings/settings_path.h"
#include "settings/text_encoding.h"
#include "settings/values.h"

namespace {

constexpr std::uint32_t kPlacementLength = 44;
constexpr std::uint32_t kProfileBufferChars = 2048;
constexpr const wchar_t* kProgram = L"PROGRAM";
constexpr const wchar_t* kPosition = L"POSITION";
constexpr const wchar_t* kMode = L"MODE";

platform::WindowPlacement PlacementOf(platform::WindowHandle window) {
    platform::WindowPlacement placement;
    placement.length = kPlacementLength;
    platform::GetWindowPlacement(window, placement);
    return placement;
}

// Makes `folder` and every missing parent; false when one of them cannot be made.
bool ForceDirectories(std::wstring folder) {
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    if (folder.empty() || folder.back() == L':' || platform::DirectoryExists(folder)) return true;
    if (!ForceDirectories(FolderPart(folder, kBackslash))) return false;
    return platform::CreateDirectoryW(folder);
}

// The path to write: the per-user file, or the one beside the executable when the per-user
// folders cannot be made.
std::wstring SettingsFileForWriting() {
    const std::wstring path = GetSettingsFileName();
    const std::wstring folder = FolderPart(path, kBackslash);
    if (folder.empty() || platform::DirectoryExists(folder) || ForceDirectories(folder)) return path;
    return FallbackSettingsFileName();
}

WindowState StateFrom(std::int32_t value, WindowState current) {
    switch (value) {
        case 0:
            return WindowState::Normal;
        case 1:
            return WindowState::Minimized;
        case 2:
            return WindowState::Maximized;
        default:
            // The window knows only three states; anything else leaves the current one.
            return current;
    }
}

}  // namespace

void TForm1::LoadSettings() {
    platform::WindowPlacement placement = PlacementOf(handle_);
    const std::wstring userFile = GetSettingsFileName();
    const std::wstring path = platform::FileExists(userFile) ? userFile : FallbackSettingsFileName();
    const auto read = [&](const wchar_t* section, const wchar_t* key) {
        return platform::GetPrivateProfileStringW(section, key, L"", kProfileBufferChars, path);
    };
    const auto integer = [&](const wchar_t* key, std::int32_t fallback) {
        return ProfileIntegerOr(read(kPosition, key), fallback);
    };

    placement.flags =
        static_cast<std::uint32_t>(integer(L"Flags", static_cast<std::int32_t>(placement.flags)));
    placement.showCmd =
        static_cast<std::uint32_t>(integer(L"ShowCmd", static_cast<std::int32_t>(placement.showCmd)));
    placement.maxPosition.x = integer(L"MaxX", placement.maxPosition.x);
    placement.maxPosition.y = integer(L"MaxY", placement.maxPosition.y);

    platform::Rect workArea;
    platform::SystemParametersInfoWorkArea(workArea);
    const std::int32_t height = placement.normalPosition.bottom - placement.normalPosition.top;
    platform::Rect& normal = placement.normalPosition;
    normal.top = integer(L"Top", DefaultTop(workArea));
    normal.left = integer(L"Left", DefaultLeft(workArea, height));
    normal.right = integer(L"Right", DefaultRight(normal.left, normal.top));
    normal.bottom = integer(L"Bottom", DefaultBottom(normal.top));

    // Applied hidden: the window shows itself later, in the state read below.
    placement.showCmd = static_cast<std::uint32_t>(platform::ShowCommand::Hide);
    platform::SetWindowPlacement(handle_, placement);

    SetWindowState(StateFrom(integer(L"state", static_cast<std::int32_t>(windowState_)), windowState_));
    SetChecked(ControlId::CheckBoxCloseQuery, ProfileBooleanOr(read(kMode, L"CloseQuery"), false));
    SetChecked(ControlId::CheckBoxSaveStatus, ProfileBooleanOr(read(kMode, L"SaveStatus"), false));
}

void TForm1::SaveSettings() {
    const platform::WindowPlacement placement = PlacementOf(handle_);
    const std::wstring path = SettingsFileForWriting();
    const std::uint32_t codePage = platform::GetACP();

    TextEncoding encoding = TextEncoding::Ansi;
    std::wstring text;
    if (platform::FileExists(path)) {
        const std::string bytes = platform::ReadFileBytes(path);
        encoding = DetectEncoding(bytes);
        text = DecodeText(bytes, encoding, codePage);
    }
    IniDocument document = IniDocument::Parse(text);

    const std::wstring exe = platform::GetModuleFileNameW();
    document.EraseSection(kProgram);
    document.WriteString(kProgram, L"Name", FileNamePart(exe, kBackslashColon));
    document.WriteString(kProgram, L"Path", ExecutableFolder(exe));
    document.WriteString(kProgram, L"Version", AppVersionLabel);
    document.WriteString(kProgram, L"IniFile", path);
    document.WriteString(kProgram, L"LastClose", FormatLastClose(platform::GetLocalTime()));

    document.EraseSection(kPosition);
    document.EraseSection(kMode);
    if (IsChecked(ControlId::CheckBoxSaveStatus)) {
        const auto write = [&](const wchar_t* key, std::int64_t value) {
            document.WriteString(kPosition, key, FormatProfileInteger(value));
        };
        write(L"Flags", static_cast<std::int32_t>(placement.flags));
        write(L"ShowCmd", static_cast<std::int32_t>(placement.showCmd));
        write(L"MaxX", placement.maxPosition.x);
        write(L"MaxY", placement.maxPosition.y);
        write(L"Left", placement.normalPosition.left);
        write(L"Top", placement.normalPosition.top);
        write(L"Right", placement.normalPosition.right);
        write(L"Bottom", placement.normalPosition.bottom);
        write(L"State", static_cast<int>(windowState_));
        document.WriteString(kMode, L"CloseQuery",
                             FormatProfileBoolean(IsChecked(ControlId::CheckBoxCloseQuery)));
        document.WriteString(kMode, L"SaveStatus", FormatProfileBoolean(true));
    }

    const std::string bytes = EncodeText(document.Text(), encoding, codePage);
    ReplacingFile file(path);
    if (!file.Write(bytes.data(), static_cast<std::uint32_t>(bytes.size())))
        throw platform::Error(L"Stream write error");
    file.Commit();
}

bool TForm1::FormCloseQuery() {
    bool canClose = true;
    // A file that cannot be read or written ends the close in the error box: the window stays
    // open and keeps taking drops.
    const bool completed = RunCommand([&] {
        if (SessionEnding) {
            SessionEnding = false;
        } else if (IsChecked(ControlId::CheckBoxCloseQuery) &&
                   ConfirmMessage(kCloseQuestion, ConfirmButtons::YesNo) == ConfirmResult::No) {
            canClose = false;
            return;
        }
        SaveSettings();
        platform::DragAcceptFiles(handle_, false);
    });
    return completed && canClose;
}

bool TForm1::WMQueryEndSession() {
    SessionEnding = true;
    return FormCloseQuery();
}
