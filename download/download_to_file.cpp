// The downloader. Not built yet: every download fails without a word.
#include "app/form.h"

bool TForm1::DownloadToFile(const std::wstring&, const std::wstring&) { return false; }
