#pragma once

#include <string>

// Asks the shell for the properties sheet of a file; does not wait for it and reports nothing.
void ShowFileProperties(const std::wstring& path);
