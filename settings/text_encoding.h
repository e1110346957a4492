#pragma once
// The settings file's bytes: which encoding its byte-order mark announces, and the text in
// and out of that encoding. wchar_t is UTF-16 on Windows and UTF-32 on Linux; both work.

#include <cstdint>
#include <string>

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// Ansi for a file without a mark.
TextEncoding DetectEncoding(const std::string& bytes);
// The text after the mark.
std::wstring DecodeText(const std::string& bytes, TextEncoding encoding, std::uint32_t ansiCodePage);
// The mark, then the text; a new ANSI file gets the UTF-8 mark when the code page is UTF-8.
std::string EncodeText(const std::wstring& text, TextEncoding encoding, std::uint32_t ansiCodePage);
