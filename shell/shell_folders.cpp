#include "shell/shell_folders.h"

#include "app/form.h"
#include "platform/platform.h"

std::wstring GetSpecialFolderPath(int csidl) {
    const platform::ItemIdList list = platform::SHGetSpecialFolderLocation(MainWindowHandle(), csidl);
    std::wstring path = platform::SHGetPathFromIDListW(list, 261);
    platform::CoTaskMemFree(list);
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}
