// Version resources.
#include "platform/resources.h"

#include "platform/win32/win32.h"

namespace platform {

std::uint32_t GetFileVersionInfoSizeW(const std::wstring& path) {
    DWORD ignored = 0;
    return ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
}

bool GetFileVersionInfoW(const std::wstring& path, std::uint32_t size, std::vector<std::uint8_t>& block) {
    block.assign(size, 0);
    return ::GetFileVersionInfoW(path.c_str(), 0, size, block.data()) != 0;
}

std::optional<FixedFileInfo> VerQueryValueW(const std::vector<std::uint8_t>& block,
                                            const std::wstring& subBlock) {
    if (block.empty()) return std::nullopt;
    void* found = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), subBlock.c_str(), &found, &length) || !found ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
    return FixedFileInfo{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                         fixed->dwProductVersionLS};
}

}  // namespace platform
