#pragma once
// Every rule the program has for taking a path apart and putting one together, in one place.
// The rules differ in which characters end a folder name; each function that depends on it is
// handed the set it honours, one of the three below, so a call reads like the rule it applies.

#include <string>
#include <string_view>

// The settings folder: the path up to and including its last backslash.
inline constexpr std::wstring_view kBackslash = L"\\";
// The shortcut rule, the executable's own name and Explorer's folder: \ and the drive colon.
inline constexpr std::wstring_view kBackslashColon = L"\\:";
// Save As, the names shown in messages and the help file's name: \, / and the drive colon.
inline constexpr std::wstring_view kBackslashSlashColon = L"\\/:";

// After the last separator; the whole path when there is none.
std::wstring FileNamePart(std::wstring_view path, std::wstring_view separators);
// Up to and including the last separator; empty when there is none.
std::wstring FolderPart(std::wstring_view path, std::wstring_view separators);
// From the file name's last "." to its end; empty when the file name has no ".".
std::wstring ExtensionPart(std::wstring_view path, std::wstring_view separators);
// The file name without its extension: empty for a name whose only "." comes first.
std::wstring BaseNamePart(std::wstring_view path, std::wstring_view separators);
// The path with the extension of its file name replaced by `extension` (appended without one).
std::wstring WithExtension(std::wstring_view path, std::wstring_view separators, std::wstring_view extension);

// Save As's directory part: before the last \, / or colon, keeping a separator that directly
// follows the drive's colon ("C:\page.html" gives "C:\"). Checked with RequireShortPath.
std::wstring DirectoryPart(std::wstring_view path);
// The next folder up on the help walk, by \ and / alone: the text before the last separator,
// keeping the separator of a drive root ("C:\Tools" gives "C:\"); empty for a drive root or a
// share root ("C:\", "\\server\share"), which ends the walk. Checked with RequireShortPath.
std::wstring EnclosingFolder(std::wstring_view path);

// Save As's join: D when B is empty; D and B directly when D ends with \, / or a colon;
// otherwise D, "\" and B (so an empty D gives "\B").
std::wstring JoinBaseName(std::wstring_view directory, std::wstring_view baseName);
// Every other join: the second part alone when the first is empty; no backslash between them
// when the first ends with \, / or a colon.
std::wstring JoinPath(std::wstring_view first, std::wstring_view second);

// The system's path functions take at most 259 characters; a longer path without the
// extended-length prefix (\\?\ and a name) ends the command with "The specified path is too long".
void RequireShortPath(std::wstring_view path);
