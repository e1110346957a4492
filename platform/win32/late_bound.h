#pragma once
// System libraries that only some commands need, bound on first use instead of imported: WinINet
// (a download), comctl32 (the window's controls, task dialogs), msimg32 (the About box's
// gradient) and version (the About box's file version). A command-line run, which shows no
// window and downloads nothing, then never loads them, nor what they load in turn. A library
// once loaded stays, as an import would.
//
// They come from the system folder only. Velmora is a download that often runs from the
// Downloads folder, and a library found by bare name is looked for beside the exe first: a
// wininet.dll left there would run inside the program.

#include <string>

#include "platform/win32/win32.h"

namespace platform::win32 {

// The function `name` of `library`, or null when the library or the function is missing.
template <class Function>
Function LateBound(const wchar_t* library, const char* name) {
    HMODULE module = ::GetModuleHandleW(library);
    if (!module) module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        // A system that does not know the flag: the same folder, named in full.
        wchar_t folder[MAX_PATH] = {};
        const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            module = ::LoadLibraryW((std::wstring(folder, length) + L"\\" + library).c_str());
    }
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace platform::win32
