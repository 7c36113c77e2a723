// Pelorin.exe: the real window system under the program's one window, Form1.

#include <windows.h>

#include "app/form1.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // COM, which only the shell needs, is initialized when the program first
  // opens something (application.cpp), not here: that keeps ole32 out of
  // the start.
  pelorin::platform::win32::Win32Platform platform(instance);
  pelorin::app::Form1 form(platform);
  form.Create();
  return platform.RunMessageLoop();
}
