// Checks 1 to 4: the program starts on its saved data and pastes, with real
// input, into the window below it, into notepad, and into nothing (a beep).

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/checks.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/fixture.h"
#include "tests/e2e/key_recorder.h"

namespace pelorin::e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kPasteTimeoutMs = 3000;

CheckResult Fail(std::string why) { return {false, std::move(why)}; }

std::string ShowList(const std::vector<std::wstring>& texts) {
  std::string shown = "[";
  for (size_t i = 0; i < texts.size(); ++i) shown += (i ? ", " : "") + Show(texts[i]);
  return shown + "]";
}

std::vector<std::wstring> CategoryNames() {
  std::vector<std::wstring> names;
  for (const FixtureCategory& category : FixtureCategories()) names.push_back(category.name);
  return names;
}

const std::vector<std::wstring>& Faces() { return FixtureCategories()[0].kaomoji; }

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!::OpenClipboard(owner)) return L"<busy>";
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
      text = chars;
      ::GlobalUnlock(data);
    }
  } else {
    text = L"<empty>";
  }
  ::CloseClipboard();
  return text;
}

// What the desktop looks like, for a report.
std::string Situation(const PelorinApp& pelorin) {
  HWND front = ::GetForegroundWindow();
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(pelorin.Window(), nullptr), &info);
  POINT cursor{};
  ::GetCursorPos(&cursor);
  return "in front " + Show(ClassName(front)) + ", Pelorin's focus " +
         Show(ClassName(info.hwndFocus)) + " capture " + Show(ClassName(info.hwndCapture)) +
         ", kaomoji selected " + std::to_string(pelorin.Selected(List::Kaomoji)) + ", pointer " +
         std::to_string(cursor.x) + "," + std::to_string(cursor.y);
}

enum class PasteBy { DoubleClick, Enter, ShiftEnter };

// The target is made the active window first, so that Pelorin, once clicked,
// stands directly above it.
std::string PasteInto(Context& context, PasteBy how, int index, const std::wstring& expected) {
  PelorinApp& pelorin = *context.pelorin;
  KeyRecorder keys;
  if (!keys.Active()) return "no keyboard hook";
  context.target.Clear();
  if (!Activate(context.target.Window())) return "the target window could not be activated";
  POINT entry{};
  if (!pelorin.ItemCenter(List::Kaomoji, index, &entry)) return "no rectangle for the entry";
  if (how == PasteBy::DoubleClick) {
    if (!DoubleClick(entry)) return "the double click was not sent";
  } else {
    Click(entry);
    if (!WaitUntil(
            [&] {
              return ::GetForegroundWindow() == pelorin.Window() &&
                     pelorin.Selected(List::Kaomoji) == index;
            },
            kPasteTimeoutMs)) {
      return "a click did not activate Pelorin and select the entry (" + Situation(pelorin) + ")";
    }
    if (how == PasteBy::ShiftEnter) KeyDown(VK_SHIFT);
    PressKey(VK_RETURN);
  }
  // Shift stays held until the text has arrived, as a user's finger would.
  WaitUntil([&] { return context.target.Text() == expected; }, kPasteTimeoutMs);
  if (how == PasteBy::ShiftEnter) {
    KeyUp(VK_SHIFT);
    if (!ShiftReleasedBeforeCtrlV(keys.Events())) {
      std::string seen;
      for (const KeyEvent& key : keys.Events()) {
        seen.append(" ").append(std::to_string(key.virtualKey)).append(key.up ? "u" : "d");
      }
      return "Pelorin did not release the held Shift before Ctrl+V (keys:" + seen + ")";
    }
  }
  const std::wstring got = context.target.Text();
  if (got != expected) {
    HWND front = ::GetForegroundWindow();
    return "expected " + Show(expected) + ", the edit holds " + Show(got) +
           " (in front: " + Show(ClassName(front)) + " " + Show(WindowText(front)) +
           ", clipboard " + Show(ClipboardText(context.target.Window())) + ", V seen " +
           (context.target.SawV() ? "yes" : "no") + ")";
  }
  if (!context.target.SawV() || !context.target.CtrlAtV() || context.target.ShiftAtV()) {
    return std::string("the target did not see a plain Ctrl+V (V ") +
           (context.target.SawV() ? "seen" : "not seen") + ", Ctrl " +
           (context.target.CtrlAtV() ? "down" : "up") + ", Shift " +
           (context.target.ShiftAtV() ? "down" : "up") + ")";
  }
  return {};
}

// Repaints Pelorin (which sends out its pending beep under wine) until the
// count grows or the time is up.
long WaitForBells(const Context& context, long above, DWORD timeoutMs) {
  long count = BellCount(context);
  WaitUntil(
      [&] {
        context.pelorin->Repaint();
        Pause(50);
        count = BellCount(context);
        return count > above;
      },
      timeoutMs);
  return count;
}

bool PutOnClipboard(HWND owner, const std::wstring& text) {
  if (!::OpenClipboard(owner)) return false;
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  if (memory != nullptr) {
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr) ::GlobalFree(memory);
  }
  ::CloseClipboard();
  return true;
}

}  // namespace

long BellCount(const Context& context) {
  std::string bytes;
  if (!ReadBytes(context.bellFile, &bytes) || bytes.empty()) return -1;
  return std::strtol(bytes.c_str(), nullptr, 10);
}

CheckResult CheckStartsWithSavedLists(Context& context) {
  PelorinApp& pelorin = *context.pelorin;
  std::string error;
  if (!pelorin.Launch(&error)) return Fail(error);
  if (!pelorin.WaitForWindow(kStartTimeoutMs)) return Fail("no visible Pelorin window");
  WaitUntil([&] { return pelorin.Texts(List::Kaomoji).size() == Faces().size(); }, 3000);
  const auto categories = pelorin.Texts(List::Categories);
  if (categories != CategoryNames()) return Fail("categories " + ShowList(categories));
  if (pelorin.Selected(List::Categories) != 0) return Fail("the saved category is not selected");
  const auto kaomoji = pelorin.Texts(List::Kaomoji);
  if (kaomoji != Faces()) return Fail("kaomoji " + ShowList(kaomoji));
  if (!pelorin.IsTopmost()) return Fail("the window is not always on top as saved");
  if (!pelorin.HasMenuBar()) return Fail("the menu bar is missing");
  return {};
}

CheckResult CheckPastesIntoWindowBelow(Context& context) {
  if (!context.pelorin->Running()) return Fail("Pelorin is not running");
  const long bellsBefore = BellCount(context);
  if (auto why = PasteInto(context, PasteBy::DoubleClick, 1, Faces()[1]); !why.empty()) {
    return Fail("double click: " + why);
  }
  if (auto why = PasteInto(context, PasteBy::Enter, 2, Faces()[2]); !why.empty()) {
    return Fail("Enter: " + why);
  }
  if (auto why = PasteInto(context, PasteBy::ShiftEnter, 4, Faces()[4] + L"\r\n"); !why.empty()) {
    return Fail("Shift+Enter: " + why);
  }
  // A paste that arrived must not also have beeped.
  const long bellsAfter = WaitForBells(context, bellsBefore, 500);
  if (bellsAfter != bellsBefore) return Fail("a paste that arrived also beeped");
  return {};
}

CheckResult CheckPastesIntoNotepad(Context& context) {
  if (!context.pelorin->Running()) return Fail("Pelorin is not running");
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION notepad{};
  std::wstring commandLine = L"notepad.exe";
  if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &notepad)) {
    return Fail("notepad.exe did not start");
  }
  CheckResult result;
  HWND window = nullptr;
  auto findNotepad = [&] {
    for (HWND candidate : TopLevelWindowsOf(notepad.dwProcessId)) {
      if (ClassName(candidate) == L"Notepad") window = candidate;
    }
    return window != nullptr;
  };
  if (!WaitUntil(findNotepad, kStartTimeoutMs)) {
    result = Fail("notepad showed no window");
  } else {
    const auto edits = ChildrenOfClass(window, L"Edit");
    POINT entry{};
    const std::wstring expected = Faces()[3];
    if (edits.empty()) {
      result = Fail("notepad has no edit control");
    } else if (!Activate(window) || !context.pelorin->ItemCenter(List::Kaomoji, 3, &entry) ||
               !DoubleClick(entry)) {
      result = Fail("could not activate notepad and double-click the entry");
    } else if (!WaitUntil([&] { return WindowText(edits[0]) == expected; }, kPasteTimeoutMs)) {
      result = Fail("expected " + Show(expected) + ", notepad holds " + Show(WindowText(edits[0])));
    }
  }
  ::TerminateProcess(notepad.hProcess, 0);
  ::WaitForSingleObject(notepad.hProcess, 5000);
  ::CloseHandle(notepad.hProcess);
  ::CloseHandle(notepad.hThread);
  return result;
}

CheckResult CheckBeepsWithNothingBelow(Context& context) {
  PelorinApp& pelorin = *context.pelorin;
  if (!pelorin.Running()) return Fail("Pelorin is not running");
  ::ShowWindow(context.target.Window(), SW_HIDE);
  // Pelorin's own windows (its tooltip shows the last kaomoji as its text)
  // stand above it and do not count.
  for (HWND window : TopLevelWindowsOf(0)) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != pelorin.ProcessId() && !WindowText(window).empty()) {
      return Fail("another titled window is visible: " + Show(WindowText(window)));
    }
  }
  if (!PutOnClipboard(context.target.Window(), L"before the paste")) {
    return Fail("cannot set the clipboard");
  }
  const long bellsBefore = WaitForBells(context, 1L << 30, 300);
  if (bellsBefore < 0) return Fail("no bell count (is bell-watch running?)");
  POINT entry{};
  if (!pelorin.ItemCenter(List::Kaomoji, 0, &entry) || !DoubleClick(entry)) {
    return Fail("could not double-click the entry");
  }
  const long bellsAfter = WaitForBells(context, bellsBefore, kPasteTimeoutMs);
  if (bellsAfter <= bellsBefore) return Fail("no beep was heard");
  if (::IsClipboardFormatAvailable(CF_UNICODETEXT)) return Fail("the clipboard is not empty");
  if (::GetForegroundWindow() != pelorin.Window()) return Fail("Pelorin lost the focus");
  return {};
}

}  // namespace pelorin::e2e
