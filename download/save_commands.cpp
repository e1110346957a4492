// Resave, Save As and Open file location. Not built yet: the buttons do nothing.
#include "app/form.h"

void TForm1::ButtonResaveClick() {}

void TForm1::ButtonSaveAsClick() {}

void TForm1::ButtonOpenFolderClick() {}
