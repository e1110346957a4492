#pragma once
// System libraries that only some commands need, bound on first use instead of imported: WinINet
// (a download), comctl32 (the window's controls, task dialogs) and msimg32 (the About box's
// gradient). A command-line run, which shows no window and downloads nothing, then never loads
// them, nor what they load in turn. A library once loaded stays, as an import would.

#include "platform/win32/win32.h"

namespace platform::win32 {

// The function `name` of `library`, or null when the library or the function is missing.
template <class Function>
Function LateBound(const wchar_t* library, const char* name) {
    HMODULE module = ::GetModuleHandleW(library);
    if (!module) module = ::LoadLibraryW(library);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace platform::win32
