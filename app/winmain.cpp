// The entry point Windows starts (a -municode GUI program): the program's start-up and nothing
// else. It needs no Windows header: the command line and the show command are read through the
// platform, and on 64-bit Windows there is one calling convention.
#include "app/application.h"

extern "C" int wWinMain(void*, void*, wchar_t*, int) { return RunApplication(); }
