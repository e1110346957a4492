// Fake version resources: the block is the fixed numbers themselves.
#include <cstring>

#include "platform/fake/fake_platform.h"

namespace platform {

using fake::Log;
using fake::Platform;

std::uint32_t GetFileVersionInfoSizeW(const std::wstring& path) {
    Log("GetFileVersionInfoSizeW");
    return Platform().info.versionResources.count(path) ? sizeof(FixedFileInfo) : 0;
}

bool GetFileVersionInfoW(const std::wstring& path, std::uint32_t size, std::vector<std::uint8_t>& block) {
    Log("GetFileVersionInfoW");
    block.assign(size, 0);
    const auto found = Platform().info.versionResources.find(path);
    if (found == Platform().info.versionResources.end() || size < sizeof(FixedFileInfo)) return false;
    std::memcpy(block.data(), &found->second, sizeof(FixedFileInfo));
    return true;
}

std::optional<FixedFileInfo> VerQueryValueW(const std::vector<std::uint8_t>& block,
                                            const std::wstring& subBlock) {
    Log("VerQueryValueW");
    if (subBlock != L"\\" || Platform().info.rootBlockUnreadable || block.size() < sizeof(FixedFileInfo))
        return std::nullopt;
    FixedFileInfo info;
    std::memcpy(&info, block.data(), sizeof info);
    return info;
}

}  // namespace platform
