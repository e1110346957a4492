// The program's shortcut in the shell's special folders. Not built yet: the buttons do nothing.
#include "app/form.h"

void TForm1::ButtonAddSendToClick() {}

void TForm1::ButtonDeskTopClick() {}

void TForm1::ButtonStartMenuClick() {}

void TForm1::ButtonStartUpClick() {}

void TForm1::RegisterShortcut(int, const std::wstring&, const std::wstring&) {}
