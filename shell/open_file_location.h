#pragma once

#include <string>

// Opens Explorer with the file selected when it exists, otherwise at the folder part of the
// path. Reports nothing.
void OpenFileLocation(const std::wstring& path);
