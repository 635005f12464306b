// Zentick.exe: the main program.
#include <windows.h>

#include "platform/win32/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  SetProcessDPIAware();  // crisp text and true pixel sizes for the skins
  zentick::win32::Program program(zentick::win32::ExecutablePath());
  program.Start();
  return program.Run();
}
