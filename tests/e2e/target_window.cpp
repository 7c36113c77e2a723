#include "tests/e2e/target_window.h"

#include "platform/win32/windows_api.h"
#include "tests/e2e/desktop.h"

namespace pelorin::e2e {
namespace {

constexpr wchar_t kClass[] = L"PelorinE2ETarget";
constexpr wchar_t kTitle[] = L"Pelorin e2e target";

}  // namespace

TargetWindow::TargetWindow() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &TargetWindow::WindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClass;
  ::RegisterClassExW(&windowClass);
  window_ = ::CreateWindowExW(0, kClass, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 420, 300, 420,
                              240, nullptr, nullptr, windowClass.hInstance, this);
  if (window_ == nullptr) return;
  edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0,
                            0, 400, 200, window_, nullptr, windowClass.hInstance, nullptr);
  ::SetWindowSubclass(edit_, &TargetWindow::EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
  ::SetFocus(edit_);
}

TargetWindow::~TargetWindow() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

void TargetWindow::Clear() {
  ::SetWindowTextW(edit_, L"");
  sawV_ = ctrlAtV_ = shiftAtV_ = false;
}

std::wstring TargetWindow::Text() const {
  const int length = ::GetWindowTextLengthW(edit_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(edit_, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

LRESULT CALLBACK TargetWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = CreatedFor<TargetWindow>(window, message, lParam);
  switch (message) {
    case WM_SETFOCUS:
      // Activation gives the focus to the edit, like any editor window.
      if (self != nullptr && self->edit_ != nullptr) ::SetFocus(self->edit_);
      return 0;
    case WM_NCDESTROY:
      if (self != nullptr) self->window_ = self->edit_ = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TargetWindow::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR data) {
  if (message == WM_KEYDOWN && wParam == 'V') {
    auto* self = reinterpret_cast<TargetWindow*>(data);
    self->sawV_ = true;
    self->ctrlAtV_ = ::GetKeyState(VK_CONTROL) < 0;
    // The Shift the user still holds was pressed while Pelorin had the
    // keyboard, so this thread's own key state may never have seen it; the
    // system-wide state shows whether it is still down.
    self->shiftAtV_ = ::GetKeyState(VK_SHIFT) < 0 || ::GetAsyncKeyState(VK_SHIFT) < 0;
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace pelorin::e2e
