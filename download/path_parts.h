#pragma once
// The parts of a full path that Save As builds its proposal from, and the time stamp it adds.
// Separators are \ and /; a drive's colon ends a directory too.

#include <string>
#include <string_view>

#include "platform/platform.h"

// Everything before the last separator; a separator right after the drive's colon stays
// ("C:\page.html" gives "C:\"). Throws "The specified path is too long" for a path of 260
// characters or more without the \\?\ prefix.
std::wstring DirectoryPart(std::wstring_view path);
// Everything after the last separator or colon.
std::wstring FileNamePart(std::wstring_view path);
// From the file name's last "." to its end; empty without a ".".
std::wstring ExtensionPart(std::wstring_view path);
// The file name without its extension; empty for a name whose only "." comes first.
std::wstring BaseNamePart(std::wstring_view path);
// D when B is empty; D and B directly when D ends with \, / or a colon; else D, "\", B.
std::wstring JoinBaseName(std::wstring_view directory, std::wstring_view baseName);

// "-yyyymmdd-HHNNSSzzz": always 19 characters.
std::wstring TimeStamp(const platform::SystemTime& time);
