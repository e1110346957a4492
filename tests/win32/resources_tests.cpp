#include <doctest.h>

#include <string>
#include <vector>

#include "../printing.h"
#include "platform/win32/win32.h"

// Wine finds TaskDialogIndirect and honours DPI without a manifest; Windows does not. So the
// manifest is checked where Windows reads it: in the exe's own resources.

namespace {

std::string ResourceText(const wchar_t* exe, LPCWSTR type, LPCWSTR name) {
    const HMODULE module =
        ::LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    REQUIRE(module != nullptr);
    std::string text;
    if (const HRSRC found = ::FindResourceW(module, name, type)) {
        const HGLOBAL loaded = ::LoadResource(module, found);
        const auto* bytes = static_cast<const char*>(::LockResource(loaded));
        text.assign(bytes, ::SizeofResource(module, found));
    }
    ::FreeLibrary(module);
    return text;
}

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST_CASE("Velmora.exe embeds its manifest as the process manifest") {
    const std::string manifest = ResourceText(VELMORA_EXE, RT_MANIFEST, MAKEINTRESOURCEW(1));
    REQUIRE_FALSE(manifest.empty());
    CHECK(Contains(manifest, R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"));
    CHECK(Contains(manifest, ">PerMonitorV2</dpiAwareness>"));
    // Windows 10 with long paths enabled then lets Resave reach a file of 260 characters or more.
    CHECK(Contains(manifest,
                   R"(<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true<)"));
    CHECK(Contains(manifest, R"(level="asInvoker")"));
}

TEST_CASE("Velmora.exe carries an icon and a 2.1 file version") {
    CHECK(ResourceText(VELMORA_EXE, RT_GROUP_ICON, MAKEINTRESOURCEW(1)).size() > 0);

    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(VELMORA_EXE, &ignored);
    REQUIRE(size > 0);
    std::vector<char> block(size);
    REQUIRE(::GetFileVersionInfoW(VELMORA_EXE, 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    REQUIRE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    CHECK(HIWORD(fixed->dwFileVersionMS) == 2);
    CHECK(LOWORD(fixed->dwFileVersionMS) == 1);
}
