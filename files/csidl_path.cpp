#include "files/csidl_path.h"

#include "platform/shell.h"

std::wstring GetSpecialFolderPath(platform::WindowHandle owner, int csidl) {
    std::wstring path;
    {
        const platform::UniqueItemIdList list = platform::SHGetSpecialFolderLocation(owner, csidl);
        path = platform::SHGetPathFromIDListW(list.get(), 261);
    }
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}
