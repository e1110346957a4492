#pragma once
// Where the window goes when the settings file does not say: a little above the middle of the
// primary work area. Left uses the window's height, and Right and Bottom are built from the
// values obtained for Left and Top, not from a size. Sums wrap at 32 bits.

#include <cstdint>

#include "platform/types.h"

inline std::int32_t Wrap32(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

inline std::int32_t DefaultTop(const platform::Rect& workArea) {
    return Wrap32(std::int64_t{workArea.bottom} - workArea.top) / 3;
}
inline std::int32_t DefaultLeft(const platform::Rect& workArea, std::int32_t height) {
    return Wrap32(Wrap32(std::int64_t{workArea.right} - workArea.left) - std::int64_t{height}) / 2;
}
inline std::int32_t DefaultRight(std::int32_t left, std::int32_t top) {
    return Wrap32(std::int64_t{left} + top);
}
inline std::int32_t DefaultBottom(std::int32_t top) { return Wrap32(2 * std::int64_t{top}); }
