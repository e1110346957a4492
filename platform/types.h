#pragma once
// The few values every area of the platform shares: the window handle, points and rectangles,
// and the SW_* show commands.

#include <cstdint>

namespace platform {

// An HWND as the portable code sees it; 0 is "no window".
using WindowHandle = std::uintptr_t;

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const Rect&) const = default;
};

// The values of the Windows SW_* show commands the program passes or looks at.
enum class ShowCommand : int {
    Hide = 0,
    ShowNormal = 1,
    ShowMinimized = 2,
    ShowMaximized = 3,
    Show = 5,
    ShowMinNoActive = 7,
    ShowDefault = 10,
};

}  // namespace platform
