#pragma once
// Fake state for the shortcut buttons and the Help page: deletions, the properties sheet,
// version resources, a settable clock and time zone, locale names, the screen and the About
// dialog. One member of fake::State.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/internet.h"
#include "platform/resources.h"
#include "platform/shell.h"
#include "platform/window.h"

namespace fake {

struct ShellExecuteExCall {
    std::uint32_t mask = 0;
    platform::WindowHandle window = 0;
    std::optional<std::wstring> verb;
    std::optional<std::wstring> file;
    std::optional<std::wstring> parameters;
    std::optional<std::wstring> directory;
};

struct GradientFillCall {
    platform::PaintSurface surface = 0;
    platform::TriVertex topLeft;
    platform::TriVertex bottomRight;
    std::uint32_t mode = 0;
};

struct InformationDialog {
    platform::WindowHandle owner = 0;
    std::wstring caption;
    std::wstring text;
    platform::PaintHandler onPaint = nullptr;
};

struct InfoState {
    // Files that DeleteFileW refuses, as when another program holds them open.
    std::vector<std::wstring> lockedFiles;
    std::vector<std::wstring> deletions;
    // What IPersistFile::Save returns; anything but 0 leaves the file unwritten.
    std::int32_t shellLinkSaveResult = 0;
    std::vector<bool> shellLinkSaveRemember;

    std::vector<ShellExecuteExCall> shellExecuteExes;

    // Version resources by file; a file not listed has none.
    std::map<std::wstring, platform::FixedFileInfo> versionResources;
    // Makes VerQueryValueW fail on the root block although the resource is there.
    bool rootBlockUnreadable = false;

    platform::SystemTime localTime{2024, 1, 2, 15, 4, 5, 6};
    // The machine's time zone: its standard and daylight offsets from UTC in seconds, and which
    // of them holds at a moment given in UTC. Kyiv's winter time unless a test sets another zone.
    std::int32_t standardOffset = 2 * 3600;
    std::int32_t daylightOffset = 2 * 3600;
    std::function<std::int32_t(const platform::SystemTime& utc)> offsetAtUtc =
        [](const platform::SystemTime&) { return 2 * 3600; };
    std::vector<platform::SystemTime> localToUtcQueries;

    // Locale items by locale and LCTYPE; a locale is installed when it has any.
    std::map<std::uint32_t, std::map<std::uint32_t, std::wstring>> localeItems;

    int screenWidth = 1280;
    int screenHeight = 1024;

    std::map<platform::WindowHandle, platform::Rect> clientRects;
    std::vector<GradientFillCall> gradientFills;
    std::vector<InformationDialog> informationDialogs;
};

}  // namespace fake
