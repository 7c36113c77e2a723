// The clipboard, as plain Unicode text (Windows adds the ANSI form itself).

#include <windows.h>

#include <cstring>

#include "platform/win32/unique.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace pelorin::platform::win32 {
namespace {

constexpr int kOpenAttempts = 20;
constexpr DWORD kOpenRetryMs = 10;

}  // namespace

ClipboardGuard::ClipboardGuard(HWND owner) {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (::OpenClipboard(owner)) {
      open_ = true;
      return;
    }
    ::Sleep(kOpenRetryMs);
  }
}

ClipboardGuard::~ClipboardGuard() {
  if (open_) ::CloseClipboard();
}

bool Win32Platform::ClearClipboard() {
  ClipboardGuard clipboard(window_);
  return clipboard.IsOpen() && ::EmptyClipboard();
}

bool Win32Platform::SetClipboardText(const std::string& text) {
  const std::wstring wide = Widen(text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  UniqueHGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  {
    GlobalLockGuard lock(memory.get());
    if (lock.Data() == nullptr) return false;
    std::memcpy(lock.Data(), wide.c_str(), bytes);
  }
  ClipboardGuard clipboard(window_);
  if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
  if (::SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  // The clipboard owns the memory now.
  (void)memory.release();
  return true;
}

}  // namespace pelorin::platform::win32
