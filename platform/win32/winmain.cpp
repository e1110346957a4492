#include "app/application.h"
#include "platform/win32/win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunApplication(); }
