#pragma once

#include <string>
#include <string_view>

// The host folder is the first path component with a dot in it; everything above it is local
// and dropped, the rest becomes host and path of an http:// URL. Purely textual, never fails.
std::wstring PathToUrl(std::wstring_view path);

// Hands a URL to the shell, which opens it in the default browser. Reports nothing.
void OpenUrl(const std::wstring& url);
