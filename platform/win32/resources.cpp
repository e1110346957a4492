// Version resources.
#include "platform/resources.h"

#include "platform/win32/late_bound.h"
#include "platform/win32/win32.h"

namespace platform {

namespace {

// Bound on first use (see late_bound.h): version.dll is no known system library, so an import
// would be looked for beside the exe before the process runs a line of its own.
#define VERSION(function) \
    static const auto function##Bound = win32::LateBound<decltype(&::function)>(L"version.dll", #function)

}  // namespace

std::uint32_t GetFileVersionInfoSizeW(const std::wstring& path) {
    VERSION(GetFileVersionInfoSizeW);
    DWORD ignored = 0;
    return GetFileVersionInfoSizeWBound ? GetFileVersionInfoSizeWBound(path.c_str(), &ignored) : 0;
}

bool GetFileVersionInfoW(const std::wstring& path, std::uint32_t size, std::vector<std::uint8_t>& block) {
    VERSION(GetFileVersionInfoW);
    block.assign(size, 0);
    return GetFileVersionInfoWBound && GetFileVersionInfoWBound(path.c_str(), 0, size, block.data()) != 0;
}

std::optional<FixedFileInfo> VerQueryValueW(const std::vector<std::uint8_t>& block,
                                            const std::wstring& subBlock) {
    if (block.empty()) return std::nullopt;
    VERSION(VerQueryValueW);
    void* found = nullptr;
    UINT length = 0;
    if (!VerQueryValueWBound || !VerQueryValueWBound(block.data(), subBlock.c_str(), &found, &length) ||
        !found || length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
    return FixedFileInfo{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                         fixed->dwProductVersionLS};
}

}  // namespace platform
