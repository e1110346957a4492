// The About box. Not built yet: Ctrl+Enter and the About button do nothing.
#include "app/form.h"

void TForm1::ButtonAboutClick() {}
