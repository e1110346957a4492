#pragma once

#include <string>

// The executable's path with its extension replaced by ".chm" (appended when it has none).
std::wstring HelpFileName(const std::wstring& exePath);

// Where the help walk goes next: the text before the last separator, keeping the separator of
// a drive root ("C:\Tools" gives "C:\"); empty for a drive root or a share root, which ends the
// walk. Throws "The specified path is too long" for a path of 260 characters or more.
std::wstring HelpDirectoryPart(const std::wstring& path);
