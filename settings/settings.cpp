// The settings file, the close query and the end of the session. Not built yet: nothing is
// read or written, and every close goes ahead.
#include "app/form.h"

// The window keeps the placement it was created with.
void TForm1::LoadSettings() {}

void TForm1::SaveSettings() {}

bool TForm1::FormCloseQuery() { return true; }

bool TForm1::WMQueryEndSession() { return FormCloseQuery(); }
