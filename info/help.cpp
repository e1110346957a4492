// The help file lookup. Not built yet: F1 and the help button do nothing.
#include "app/form.h"

void TForm1::ButtonHelpClick() {}
