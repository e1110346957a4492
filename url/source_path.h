#pragma once
// Preparing a path that arrived on the command line or by a drop: a shell shortcut stands for
// its target, in the target's long form. `locale` is the thread locale the program started
// with; the shortcut rule lower-cases the extension by it.

#include <cstdint>
#include <string>

bool IsShortcutPath(const std::wstring& path, std::uint32_t locale);
// The shortcut's target, or `path` itself when the file cannot be loaded as a shortcut.
std::wstring ResolveShortcut(const std::wstring& path);
// The long form of `path`, or `path` itself when there is none that fits 260 characters.
std::wstring GetLongFileName(const std::wstring& path);
std::wstring ResolveSourcePath(const std::wstring& path, std::uint32_t locale);
