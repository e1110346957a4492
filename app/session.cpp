#include "app/session.h"

std::wstring SourceFileName;
std::wstring SourceUrl;
std::wstring SaveFileName;
bool SessionEnding = false;
