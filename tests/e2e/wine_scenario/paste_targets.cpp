#include "tests/e2e/wine_scenario/paste_targets.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {
namespace {

constexpr wchar_t kClass[] = L"PelorinScenarioTarget";

// The clipboard, open while this lives; another program may hold it a moment.
struct ClipboardOpen {
  explicit ClipboardOpen(HWND owner) {
    for (int attempt = 0; attempt < 50 && !open; ++attempt) {
      open = ::OpenClipboard(owner) != FALSE;
      if (!open) ::Sleep(10);
    }
  }
  ~ClipboardOpen() {
    if (open) ::CloseClipboard();
  }
  ClipboardOpen(const ClipboardOpen&) = delete;
  ClipboardOpen& operator=(const ClipboardOpen&) = delete;
  bool open = false;
};

}  // namespace

struct PasteTargets::Target {
  PasteTargets* owner = nullptr;
  std::string title;
  platform::win32::UniqueWindow window;  // destroyed before the title goes
  HWND edit = nullptr;
  bool swallowChar = false;  // the character of a V already taken as Ctrl+V
};

std::string PasteTargets::Paste::Describe() const {
  std::string described = std::string(shift ? "Ctrl+Shift+V" : "Ctrl+V") + " to " + Quoted(target) +
                          (text ? " with " + Quoted(*text) : std::string(" with no text"));
  if (received != text.value_or("")) described += " (the window received " + Quoted(received) + ")";
  return described;
}

PasteTargets::PasteTargets() {
  e2e::RegisterWindowClass(kClass, &PasteTargets::WindowProc);
  hooked = this;
}

PasteTargets::~PasteTargets() {
  targets_.clear();
  hooked = nullptr;
}

bool PasteTargets::Replace(const std::vector<std::string>& titles, HWND below, bool keepActive) {
  targets_.clear();
  if (titles.empty()) {
    hook_.reset();
    return true;
  }
  if (!hook_)
    hook_.reset(::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyHook, ::GetModuleHandleW(nullptr), 0));
  if (!hook_) return false;
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  for (const std::string& title : titles) {
    auto target = std::make_unique<Target>();
    target->owner = this;
    target->title = title;
    const int offset = 30 * static_cast<int>(targets_.size() % 8);
    target->window.reset(::CreateWindowExW(0, kClass, Wide(title).c_str(), WS_OVERLAPPEDWINDOW,
                                           470 + offset, 330 + offset, 420, 260, nullptr, nullptr,
                                           instance, target.get()));
    if (!target->window) return false;
    target->edit =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                          400, 220, target->window.get(), nullptr, instance, nullptr);
    ::SetWindowSubclass(target->edit, &PasteTargets::EditProc, 1,
                        reinterpret_cast<DWORD_PTR>(target.get()));
    targets_.push_back(std::move(target));
  }
  // Shown first and given a moment: wine raises a window it shows for the
  // first time a little later, over any order set meanwhile.
  for (auto target = targets_.rbegin(); target != targets_.rend(); ++target) {
    ::ShowWindow((*target)->window.get(), SW_SHOWNA);
  }
  e2e::Pause(50);
  // Then stacked one below the other: directly below a window of the
  // ordinary band, or at the top of that band.
  const bool belowNormal =
      below != nullptr && (::GetWindowLongPtrW(below, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0;
  HWND after = belowNormal ? below : HWND_TOP;
  for (auto& target : targets_) {
    ::SetWindowPos(target->window.get(), after, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = target->window.get();
  }
  if (keepActive) return true;
  HWND first = targets_.front()->window.get();
  ::SetForegroundWindow(first);
  return e2e::WaitUntil([&] { return ::GetForegroundWindow() == first; }, 3000);
}

bool PasteTargets::OldestIs(const std::string& title, const std::string& text) const {
  const Paste& paste = log_.front();
  return paste.target == title && paste.text == text && paste.received == text && !paste.shift;
}

LRESULT CALLBACK PasteTargets::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* target = e2e::CreatedFor<Target>(window, message, lParam);
  // Activation gives the focus to the edit, like any editor window.
  if (message == WM_SETFOCUS && target != nullptr && target->edit != nullptr) {
    ::SetFocus(target->edit);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// The keys that programs inject (SendInput), as a low-level keyboard hook
// sees them: for every V pressed, whether Ctrl and Shift were held by the
// injected keys then, and which window was in the foreground.
//
// Why not the receiving window's own key state: wine re-reads the keyboard
// from X when a window takes the X focus and sends key-ups for the keys X
// does not know to be down. When that lands between a program's Ctrl and its
// V, the window sees a bare "v" although Ctrl+V was sent. Those re-read keys
// are not injected, so the hook tells them apart.
LRESULT CALLBACK PasteTargets::KeyHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
  if (code == HC_ACTION && hooked != nullptr && (key->flags & LLKHF_INJECTED) != 0) {
    const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    const DWORD vk = key->vkCode;
    if (vk == VK_CONTROL || vk == VK_LCONTROL || vk == VK_RCONTROL) hooked->ctrl_ = down;
    if (vk == VK_SHIFT || vk == VK_LSHIFT || vk == VK_RSHIFT) hooked->shift_ = down;
    if (vk == 'V' && down) {
      hooked->presses_.push_back({::GetForegroundWindow(), hooked->ctrl_, hooked->shift_});
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Ctrl+V as sent (the oldest V pressed while the window was in front): the
// edit pastes, and the character of the V goes. Any other V is an ordinary key.
LRESULT CALLBACK PasteTargets::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR data) {
  auto& target = *reinterpret_cast<Target*>(data);
  PasteTargets& owner = *target.owner;
  if (message == WM_KEYDOWN) {
    Trace("key " + std::to_string(wParam) + " down in " + Quoted(target.title));
  }
  if (message == WM_CHAR && std::exchange(target.swallowChar, false)) return 0;
  if (message != WM_KEYDOWN || wParam != 'V')
    return ::DefSubclassProc(edit, message, wParam, lParam);
  const auto press = std::ranges::find(owner.presses_, target.window.get(), &VPress::foreground);
  if (press == owner.presses_.end()) return ::DefSubclassProc(edit, message, wParam, lParam);
  const VPress taken = *press;
  owner.presses_.erase(press);
  if (!taken.ctrl) return ::DefSubclassProc(edit, message, wParam, lParam);
  if (::GetKeyState(VK_CONTROL) >= 0) Trace("the window's own key state lost the Ctrl");
  const std::wstring before = e2e::WindowText(edit);
  ::DefSubclassProc(edit, WM_PASTE, 0, 0);
  const std::wstring after = e2e::WindowText(edit);
  Paste paste{target.title, ClipboardText(target.window.get()), Utf8(after), taken.shift};
  if (after.starts_with(before)) {
    paste.received = Utf8(std::wstring_view(after).substr(before.size()));
  }
  Trace("pasted: " + paste.Describe());
  owner.log_.push_back(std::move(paste));
  target.swallowChar = true;
  return 0;
}

std::optional<std::string> ClipboardText(HWND owner) {
  const ClipboardOpen clipboard(owner);
  HANDLE data = clipboard.open ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
  const platform::win32::GlobalLockGuard lock(data);
  const auto* text = static_cast<const wchar_t*>(lock.Data());
  if (text == nullptr) return std::nullopt;
  return Utf8(std::wstring_view(text, wcsnlen(text, ::GlobalSize(data) / sizeof(wchar_t))));
}

bool SetClipboardText(HWND owner, const std::optional<std::string>& text) {
  const ClipboardOpen clipboard(owner);
  if (!clipboard.open || !::EmptyClipboard()) return false;
  if (!text) return true;
  const std::wstring wide = Wide(*text);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  platform::win32::UniqueHGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes));
  {
    const platform::win32::GlobalLockGuard lock(memory.get());
    if (lock.Data() == nullptr) return false;
    std::memcpy(lock.Data(), wide.c_str(), bytes);
  }
  if (::SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  (void)memory.release();  // the clipboard owns the memory now
  return true;
}

}  // namespace pelorin::wine_scenario
