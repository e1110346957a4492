#pragma once
// Fake state of the main window's layout and of what the settings file needs from Windows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/window.h"

namespace fake {

struct MainWindowMachine {
    std::optional<platform::WindowLayout> layout;
    int tabClientWidth = 272;
    std::vector<int> tabWidths;
    std::vector<std::uint32_t> postedMessages;

    // The placement GetWindowPlacement answers with, and every one applied.
    platform::WindowPlacement placement{44, 0, 1, {-1, -1}, {-1, -1}, {26, 26, 306, 306}};
    std::vector<platform::WindowPlacement> placementsSet;
    std::vector<std::uint32_t> placementLengthsAsked;
    platform::Rect workArea{0, 0, 1920, 1040};

    std::int32_t appDataResult = 0;
    std::wstring appData = LR"(C:\Users\u\AppData\Roaming)";
    // Folders CreateDirectoryW refuses to make (as a read-only parent would).
    std::vector<std::wstring> uncreatableFolders;
    // Makes reading the settings file fail with this text.
    std::optional<std::wstring> readError;
    std::vector<std::wstring> profileFilesRead;

    std::uint32_t codePage = 1252;
};

}  // namespace fake
