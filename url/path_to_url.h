#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

// The host folder is the first path component with a dot in it; everything above it is local
// and dropped, the rest becomes host and path of an http:// URL. Purely textual, never fails.
std::wstring PathToUrl(std::wstring_view path);

// Hands a URL to the shell, which opens it in the default browser, with `owner` as the window
// the shell may show its own messages over. Reports nothing.
void OpenUrl(platform::WindowHandle owner, const std::wstring& url);
