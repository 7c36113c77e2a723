// pelorin-hotkey-holder: another program that holds a key combination
// system-wide, for the scenarios' `hold KEYS` under Wine.
//
//   pelorin-hotkey-holder.exe MODIFIERS KEY EVENT
//
// MODIFIERS are RegisterHotKey's MOD_ flags and KEY a virtual-key code, both
// decimal. Once the key is registered the named event is set; then the holder
// keeps the key until it is ended. Exit code 1 when the key could not be
// registered (another program holds it already), 2 for wrong arguments.

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  const auto modifiers = static_cast<UINT>(std::wcstoul(argv[1], nullptr, 10));
  const auto key = static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10));
  if (!::RegisterHotKey(nullptr, 1, modifiers | MOD_NOREPEAT, key)) return 1;
  HANDLE held = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
  if (held == nullptr) return 2;
  ::SetEvent(held);
  ::CloseHandle(held);
  // The key's presses come here as WM_HOTKEY and go no further.
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
  }
  ::UnregisterHotKey(nullptr, 1);
  return 0;
}
