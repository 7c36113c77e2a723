#include "tests/e2e/wine_scenario/paste_targets.h"

#include <commctrl.h>

#include <cstring>

#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {
namespace {

constexpr wchar_t kClass[] = L"PelorinScenarioTarget";
constexpr int kOpenAttempts = 50;
constexpr DWORD kOpenRetryMs = 10;
constexpr DWORD kActivationTimeoutMs = 3000;
constexpr DWORD kShowPauseMs = 50;

class OpenClipboardGuard {
 public:
  explicit OpenClipboardGuard(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts && !open_; ++attempt) {
      open_ = ::OpenClipboard(owner) != FALSE;
      if (!open_) ::Sleep(kOpenRetryMs);
    }
  }
  ~OpenClipboardGuard() {
    if (open_) ::CloseClipboard();
  }
  OpenClipboardGuard(const OpenClipboardGuard&) = delete;
  OpenClipboardGuard& operator=(const OpenClipboardGuard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

}  // namespace

struct PasteTargets::Target {
  PasteTargets* owner = nullptr;
  std::string title;
  HWND window = nullptr;
  HWND edit = nullptr;
  bool shiftAtV = false;
  bool swallowChar = false;  // the character of a V already taken as Ctrl+V
};

std::string PasteRecord::Describe() const {
  std::string described = std::string(shift ? "Ctrl+Shift+V" : "Ctrl+V") + " to " + Quoted(target) +
                          (text ? " with " + Quoted(*text) : std::string(" with no text"));
  if (received != text.value_or("")) described += " (the window received " + Quoted(received) + ")";
  return described;
}

PasteTargets::PasteTargets() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &PasteTargets::WindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kClass;
  ::RegisterClassExW(&windowClass);
}

PasteTargets::~PasteTargets() { Clear(); }

void PasteTargets::Clear() {
  for (auto& target : targets_) {
    if (target->window != nullptr) ::DestroyWindow(target->window);
  }
  targets_.clear();
  keys_.reset();
  log_.clear();
}

bool PasteTargets::Replace(const std::vector<std::string>& titles, HWND below, bool keepActive) {
  for (auto& target : targets_) {
    if (target->window != nullptr) ::DestroyWindow(target->window);
  }
  targets_.clear();
  if (titles.empty()) {
    keys_.reset();
    return true;
  }
  if (!keys_) keys_ = std::make_unique<InjectedKeys>();
  for (size_t i = 0; i < titles.size(); ++i) {
    if (!Create(titles[i], static_cast<int>(i))) return false;
  }
  Stack(below);
  if (keepActive) return true;
  HWND first = targets_.front()->window;
  ::SetForegroundWindow(first);
  return e2e::WaitUntil([&] { return ::GetForegroundWindow() == first; }, kActivationTimeoutMs);
}

bool PasteTargets::Create(const std::string& title, int number) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto target = std::make_unique<Target>();
  target->owner = this;
  target->title = title;
  const int offset = 30 * (number % 8);
  target->window =
      ::CreateWindowExW(0, kClass, Wide(title).c_str(), WS_OVERLAPPEDWINDOW, 470 + offset,
                        330 + offset, 420, 260, nullptr, nullptr, instance, target.get());
  if (target->window == nullptr) return false;
  target->edit =
      ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                        400, 220, target->window, nullptr, instance, nullptr);
  ::SetWindowSubclass(target->edit, &PasteTargets::EditProc, 1,
                      reinterpret_cast<DWORD_PTR>(target.get()));
  targets_.push_back(std::move(target));
  return true;
}

// Stacked from the bottom up, so that the first title ends on top: directly
// below a window of the ordinary band, or at the top of that band.
void PasteTargets::Stack(HWND below) {
  // Shown first and given a moment: wine raises a window it shows for the
  // first time a little later, over any order set meanwhile.
  for (auto it = targets_.rbegin(); it != targets_.rend(); ++it) {
    ::ShowWindow((*it)->window, SW_SHOWNA);
  }
  e2e::Pause(kShowPauseMs);
  const bool belowNormal =
      below != nullptr && (::GetWindowLongPtrW(below, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0;
  const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  if (belowNormal) {
    HWND after = below;
    for (auto& target : targets_) {
      ::SetWindowPos(target->window, after, 0, 0, 0, 0, flags);
      after = target->window;
    }
    return;
  }
  for (auto it = targets_.rbegin(); it != targets_.rend(); ++it) {
    ::SetWindowPos((*it)->window, HWND_TOP, 0, 0, 0, 0, flags);
  }
}

void PasteTargets::Record(Target& target, const std::wstring& before, bool shift) {
  const std::wstring after = e2e::WindowText(target.edit);
  PasteRecord record;
  record.target = target.title;
  record.text = ClipboardText(target.window);
  record.received = after.compare(0, before.size(), before) == 0
                        ? Utf8(std::wstring_view(after).substr(before.size()))
                        : Utf8(after);
  record.shift = shift;
  Trace("pasted: " + record.Describe());
  log_.push_back(std::move(record));
}

LRESULT CALLBACK PasteTargets::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* target = e2e::CreatedFor<Target>(window, message, lParam);
  switch (message) {
    case WM_SETFOCUS:
      // Activation gives the focus to the edit, like any editor window.
      if (target != nullptr && target->edit != nullptr) ::SetFocus(target->edit);
      return 0;
    case WM_NCDESTROY:
      if (target != nullptr) target->window = target->edit = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PasteTargets::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR data) {
  auto* target = reinterpret_cast<Target*>(data);
  InjectedKeys* keys = target->owner->keys_.get();
  switch (message) {
    case WM_KEYDOWN:
      Trace("key " + std::to_string(wParam) + " down in " + Quoted(target->title));
      if (wParam == 'V' && keys != nullptr && keys->Active()) {
        // Ctrl+V as sent: the edit pastes, and the character of the V goes.
        const std::optional<InjectedKeys::VPress> press = keys->TakeVPress(target->window);
        if (press && press->ctrl) {
          if (::GetKeyState(VK_CONTROL) >= 0) Trace("the window's own key state lost the Ctrl");
          const std::wstring before = e2e::WindowText(edit);
          ::DefSubclassProc(edit, WM_PASTE, 0, 0);
          target->owner->Record(*target, before, press->shift);
          target->swallowChar = true;
          return 0;
        }
      }
      if (wParam == 'V') target->shiftAtV = ::GetKeyState(VK_SHIFT) < 0;
      break;
    case WM_CHAR:
      if (target->swallowChar) {
        target->swallowChar = false;
        return 0;
      }
      break;
    case WM_PASTE: {
      // A paste the hook did not see (without it, the window's own key state).
      const std::wstring before = e2e::WindowText(edit);
      const LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
      target->owner->Record(*target, before, target->shiftAtV);
      return result;
    }
    default:
      break;
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

std::optional<std::string> ClipboardText(HWND owner) {
  OpenClipboardGuard clipboard(owner);
  if (!clipboard.IsOpen()) return std::nullopt;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return std::nullopt;
  const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
  if (text == nullptr) return std::nullopt;
  const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
  std::string utf8 = Utf8(std::wstring_view(text, wcsnlen(text, capacity)));
  ::GlobalUnlock(data);
  return utf8;
}

bool SetClipboardText(HWND owner, const std::optional<std::string>& text) {
  OpenClipboardGuard clipboard(owner);
  if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
  if (!text) return true;
  const std::wstring wide = Wide(*text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  void* locked = ::GlobalLock(memory);
  if (locked == nullptr) {
    ::GlobalFree(memory);
    return false;
  }
  std::memcpy(locked, wide.c_str(), bytes);
  ::GlobalUnlock(memory);
  if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
    ::GlobalFree(memory);
    return false;
  }
  return true;  // the clipboard owns the memory now
}

}  // namespace pelorin::wine_scenario
