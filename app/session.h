#pragma once
// What the current run knows about the file in hand. Never persisted; empty at start.

#include <string>

extern std::wstring SourceFileName;  // the local file last taken in
extern std::wstring SourceUrl;       // the URL rebuilt from it (interactive intake only)
extern std::wstring SaveFileName;    // target of the last Resave / Save As
extern bool SessionEnding;           // an end-of-session query is closing the window
