#pragma once
// The address as it goes out on the wire. Everywhere else the program keeps a rebuilt address
// exactly as the folder names spell it; only the request that WinINet sends must be ASCII, and
// how WinINet would escape the rest depends on the system: Windows sends the path as UTF-8,
// Wine turns it into the ANSI code page (raw Shift_JIS under 932, "?" under 1252), so the same
// page would be asked for under another name. The program therefore decides the form itself.

#include <string>
#include <string_view>

// The path of an address (from the first "/" after the host): every character outside
// printable ASCII, the space, the control characters and " # < > ? ` { } | ^ become their
// UTF-8 bytes as %XX; a "%" that starts an escape (two hex digits) is kept, a lone one becomes
// %25. An unpaired surrogate stands for U+FFFD. A second pass changes nothing.
std::wstring WirePath(std::wstring_view path);

// `url` as it is handed to WinINet: the path as WirePath gives it, a host with characters
// outside ASCII in its IDNA form (the system's IdnToAscii; percent-encoded like a path when the
// system refuses it). An ASCII host is left alone.
std::wstring WireUrl(std::wstring_view url);
