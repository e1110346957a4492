#pragma once

#include <string>

#include "platform/types.h"

// The file-system path of a shell special folder (a CSIDL value), always ending with "\".
// Never fails: a folder the shell cannot resolve gives "\" alone. `owner` is the window the
// shell may show its own messages over.
std::wstring GetSpecialFolderPath(platform::WindowHandle owner, int csidl);
