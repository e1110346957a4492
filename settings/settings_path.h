#pragma once
// Where the settings file lives: per user under the roaming folder, or beside the executable.

#include <string>
#include <string_view>

// Joins two parts with one backslash, none after a trailing "\", "/" or ":", and none when the
// first part is empty.
std::wstring JoinPath(std::wstring_view first, std::wstring_view second);
// The executable's file name without its extension (the part before the last ".").
std::wstring ExecutableBaseName(std::wstring_view exePath);
// The executable's folder without a trailing backslash, except for a drive root ("C:\").
std::wstring ExecutableFolder(std::wstring_view exePath);
std::wstring ExecutableFileName(std::wstring_view exePath);
// <roaming>\Quorrin\<base>\<base>.ini; relative when the shell has no roaming folder.
std::wstring GetSettingsFileName();
// The executable's path with its extension replaced by ".ini".
std::wstring FallbackSettingsFileName();
