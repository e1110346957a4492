#pragma once
// How a grid panel shares its area among its cells: the one rule behind every page and group
// box of the main window.

#include <cstdint>

#include "platform/types.h"
#include "platform/window.h"

namespace platform {

// One cell of a grid whose columns and rows share `area` equally, shrunk by `margin` on each
// side. Rounding goes to the cells' edges, so neighbouring cells never overlap or leave a gap.
inline Rect GridCellRect(const Rect& area, Grid grid, int column, int row, int margin) {
    const std::int64_t width = area.right - area.left;
    const std::int64_t height = area.bottom - area.top;
    const auto edge = [](std::int32_t start, std::int64_t size, int index, int count) {
        return static_cast<std::int32_t>(start + size * index / count);
    };
    return {edge(area.left, width, column, grid.columns) + margin,
            edge(area.top, height, row, grid.rows) + margin,
            edge(area.left, width, column + 1, grid.columns) - margin,
            edge(area.top, height, row + 1, grid.rows) - margin};
}

}  // namespace platform
