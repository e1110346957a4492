#pragma once
// Where the settings file lives: per user under the roaming folder, or beside the executable.
// The executable's name and folder are taken at \ and the drive colon.

#include <string>
#include <string_view>

// The executable's folder without a trailing backslash, except for a drive root ("C:\").
std::wstring ExecutableFolder(std::wstring_view exePath);
// <roaming>\Quorrin\<base>\<base>.ini; relative when the shell has no roaming folder.
std::wstring GetSettingsFileName();
// The executable's path with its extension replaced by ".ini".
std::wstring FallbackSettingsFileName();
