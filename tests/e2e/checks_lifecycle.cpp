// Checks 5 to 7: one copy at a time, and what the program keeps across a
// close and a new start, read back by the user interface and by Windows'
// own profile functions.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/checks.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/fixture.h"

namespace pelorin::e2e {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kStepTimeoutMs = 3000;
constexpr wchar_t kSecondCopyText[] = L"２重に起動しないで下さい";

CheckResult Fail(std::string why) { return {false, std::move(why)}; }

const FixtureCategory& Animals() { return FixtureCategories()[1]; }

// The animals' kaomoji after the second one was moved up with Shift+Up.
std::vector<std::wstring> AnimalsReordered() {
  const auto& k = Animals().kaomoji;
  return {k[1], k[0], k[2]};
}

POINT Center(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool ClickEntry(const PelorinApp& pelorin, List list, int index) {
  POINT entry{};
  return pelorin.ItemCenter(list, index, &entry) && Click(entry);
}

// Opens the category list's context menu with the right button and picks the
// item `downs` places down with the arrow keys.
bool PickFromCategoryMenu(const PelorinApp& pelorin, int downs) {
  POINT entry{};
  if (!pelorin.ItemCenter(List::Categories, 0, &entry) || !RightClick(entry)) return false;
  auto menuShown = [&] {
    for (HWND window : TopLevelWindowsOf(pelorin.ProcessId())) {
      if (ClassName(window) == L"#32768") return true;
    }
    return false;
  };
  if (!WaitUntil(menuShown, kStepTimeoutMs)) return false;
  Pause(150);
  for (int i = 0; i < downs; ++i) PressKey(VK_DOWN);
  return PressKey(VK_RETURN);
}

std::string ReadProfile(const std::string& path, const std::wstring& section,
                        const std::wstring& key) {
  char value[4096] = {};
  ::GetPrivateProfileStringA(ToCp932(section).c_str(), ToCp932(key).c_str(), "<missing>", value,
                             sizeof(value), path.c_str());
  return value;
}

std::string Pixels(LONG pixels) {
  return std::to_string(::MulDiv(pixels, 1440, ::GetDpiForSystem()));
}

}  // namespace

CheckResult CheckRefusesSecondCopy(Context& context) {
  if (!context.pelorin->Running()) return Fail("the first copy is not running");
  std::string before;
  ReadBytes(SettingsPath(context.appFolder), &before);
  PelorinApp second(context.ExePath());
  std::string error;
  if (!second.Launch(&error)) return Fail(error);
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindTopLevel(second.ProcessId(), L"#32770", L"Pelorin")); },
                 kStartTimeoutMs)) {
    return Fail("no message box titled \"Pelorin\"");
  }
  bool textFound = false;
  for (HWND label : ChildrenOfClass(box, L"Static"))
    textFound |= WindowText(label) == kSecondCopyText;
  if (!textFound) return Fail("the message box does not say " + Show(kSecondCopyText));
  HWND ok = nullptr;
  for (HWND button : ChildrenOfClass(box, L"Button")) {
    if (WindowText(button) == L"OK") ok = button;
  }
  if (ok == nullptr) return Fail("the message box has no OK button");
  Activate(box);
  // The first copy is always on top and may cover the box: then OK is
  // pressed with the keyboard instead of the mouse.
  if (::WindowFromPoint(Center(ok)) == ok) {
    Click(Center(ok));
  } else {
    PressKey(VK_RETURN);
  }
  DWORD exitCode = 1;
  if (!second.WaitForExit(10000, &exitCode)) return Fail("the second copy did not end");
  if (exitCode != 0) return Fail("the second copy ended with code " + std::to_string(exitCode));
  std::string after;
  ReadBytes(SettingsPath(context.appFolder), &after);
  if (after != before) return Fail("the second copy changed the settings file");
  if (!context.pelorin->Running() || !::IsWindow(context.pelorin->Window())) {
    return Fail("the first copy did not survive");
  }
  return {};
}

CheckResult CheckComesBackAsLeft(Context& context) {
  PelorinApp& first = *context.pelorin;
  if (!first.Running()) return Fail("Pelorin is not running");
  ::ShowWindow(context.target.Window(), SW_HIDE);
  if (!ClickEntry(first, List::Categories, 1) ||
      !WaitUntil([&] { return first.Texts(List::Kaomoji) == Animals().kaomoji; }, kStepTimeoutMs)) {
    return Fail("clicking the second category did not show its kaomoji");
  }
  if (!ClickEntry(first, List::Kaomoji, 1) ||
      !WaitUntil([&] { return first.Selected(List::Kaomoji) == 1; }, kStepTimeoutMs)) {
    return Fail("clicking a kaomoji did not select it");
  }
  KeyDown(VK_SHIFT);
  PressKey(VK_UP);
  KeyUp(VK_SHIFT);
  if (!WaitUntil(
          [&] {
            return first.Texts(List::Kaomoji) == AnimalsReordered() &&
                   first.Selected(List::Kaomoji) == 0;
          },
          kStepTimeoutMs)) {
    return Fail("Shift+Up did not move the kaomoji up");
  }
  if (!PickFromCategoryMenu(first, 2) ||
      !WaitUntil([&] { return !first.IsTopmost(); }, kStepTimeoutMs)) {
    return Fail("the context menu did not turn always-on-top off");
  }
  if (!PickFromCategoryMenu(first, 1) ||
      !WaitUntil([&] { return !first.HasMenuBar(); }, kStepTimeoutMs)) {
    return Fail("the context menu did not hide the menu bar");
  }
  Pause(200);
  context.closedRect = first.WindowRect();
  Activate(first.Window());
  KeyDown(VK_MENU);
  PressKey(VK_F4);
  KeyUp(VK_MENU);
  DWORD exitCode = 1;
  if (!first.WaitForExit(10000, &exitCode) || exitCode != 0) return Fail("Alt+F4 did not end it");

  context.pelorin = std::make_unique<PelorinApp>(context.ExePath());
  PelorinApp& again = *context.pelorin;
  std::string error;
  if (!again.Launch(&error)) return Fail(error);
  if (!again.WaitForWindow(kStartTimeoutMs)) return Fail("no window after the new start");
  WaitUntil([&] { return again.Texts(List::Kaomoji).size() == Animals().kaomoji.size(); },
            kStepTimeoutMs);
  if (again.Texts(List::Categories).size() != FixtureCategories().size()) {
    return Fail("the categories did not come back");
  }
  if (again.Selected(List::Categories) != 1) return Fail("the selection did not come back");
  if (again.Texts(List::Kaomoji) != AnimalsReordered()) return Fail("the kaomoji order is lost");
  if (again.IsTopmost()) return Fail("always-on-top came back on");
  if (again.HasMenuBar()) return Fail("the menu bar came back");
  const RECT now = again.WindowRect();
  const RECT& was = context.closedRect;
  if (now.left != was.left || now.top != was.top || now.right != was.right ||
      now.bottom != was.bottom) {
    return Fail("the window moved or changed its size");
  }
  return {};
}

CheckResult CheckSettingsReadByWindows(Context& context) {
  if (::GetACP() != 932) return Fail("the system code page is " + std::to_string(::GetACP()));
  const std::string path = ToCp932(SettingsPath(context.appFolder));
  std::string problems;
  auto expect = [&](const std::wstring& section, const std::wstring& key,
                    const std::wstring& wanted) {
    const std::string got = ReadProfile(path, section, key);
    if (got != ToCp932(wanted)) {
      problems += " [" + Show(section) + "] " + Show(key) + "=" + Show(FromCp932(got));
    }
  };
  std::wstring list;
  for (const FixtureCategory& category : FixtureCategories()) {
    list += category.name + L",";
    expect(L"FILE", category.name, category.name + L".txt");
  }
  expect(L"LIST", L"LIST", list);
  const RECT& rect = context.closedRect;
  const std::string state = "1," + Pixels(rect.top) + "," + Pixels(rect.left) + "," +
                            Pixels(rect.bottom - rect.top) + "," + Pixels(rect.right - rect.left) +
                            ",False,False";
  expect(L"DATA", L"STATE", std::wstring(state.begin(), state.end()));
  if (!problems.empty()) return Fail("unexpected values:" + problems);
  return {};
}

}  // namespace pelorin::e2e
