// Taking a file in by drop and by the open dialog. Not built yet: drops are ignored and the
// open-dialog button does nothing.
#include "app/form.h"

// The application-wide hook is a no-op until drops are routed through it.
void TForm1::InstallAppMessage() {}

void TForm1::AppMessage(const platform::QueuedMessage&, bool&) {}

void TForm1::WMDropFiles(platform::DropHandle) {}

void TForm1::ButtonSelectFileClick() {}
