#pragma once
// Version resources of a file.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The numbers of a VS_FIXEDFILEINFO the program reads.
struct FixedFileInfo {
    std::uint32_t fileVersionMS = 0;
    std::uint32_t fileVersionLS = 0;
    std::uint32_t productVersionMS = 0;
    std::uint32_t productVersionLS = 0;
};

// 0 when the file has no version resource.
std::uint32_t GetFileVersionInfoSizeW(const std::wstring& path);
// Fills `block` with `size` bytes of the resource.
bool GetFileVersionInfoW(const std::wstring& path, std::uint32_t size, std::vector<std::uint8_t>& block);
// VerQueryValueW of the root block "\": nothing when it cannot be read.
std::optional<FixedFileInfo> VerQueryValueW(const std::vector<std::uint8_t>& block,
                                            const std::wstring& subBlock);

}  // namespace platform
