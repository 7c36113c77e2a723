// Pelorin.exe: the real window system under the program's one window, Form1.

#include <objbase.h>
#include <windows.h>

#include "app/form1.h"
#include "platform/win32/win32_platform.h"

namespace {

// ShellExecuteW may hand the target to shell extensions that need COM.
class ComApartment {
 public:
  ComApartment()
      : initialized_(SUCCEEDED(
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComApartment() {
    if (initialized_) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  ComApartment com;
  pelorin::platform::win32::Win32Platform platform(instance);
  pelorin::app::Form1 form(platform);
  form.Create();
  return platform.RunMessageLoop();
}
