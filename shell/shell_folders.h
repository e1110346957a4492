#pragma once

#include <string>

// The file-system path of a shell special folder (a CSIDL value), always ending with "\".
// Never fails: a folder the shell cannot resolve gives "\" alone.
std::wstring GetSpecialFolderPath(int csidl);
