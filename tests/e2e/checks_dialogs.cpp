// Check 9: the input box, the program's own dialog, worked by hand: it opens
// at the window's corner with the old text selected, takes typed text and
// gives it back on OK.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/checks.h"
#include "tests/e2e/desktop.h"

namespace pelorin::e2e {
namespace {

constexpr DWORD kStepTimeoutMs = 3000;
constexpr wchar_t kRewriteCaption[] = L"顔文字の編集";
constexpr wchar_t kRewritePrompt[] = L"顔文字を編集してください";
// ◕ is beyond code page 932: typed text reaches the list as Unicode.
constexpr wchar_t kTyped[] = L"(ﾉ◕ヮ◕)ﾉ";

CheckResult Fail(std::string why) { return {false, std::move(why)}; }

HWND ChildWithText(HWND parent, const std::wstring& className, const std::wstring& text) {
  for (HWND child : ChildrenOfClass(parent, className)) {
    if (WindowText(child) == text) return child;
  }
  return nullptr;
}

}  // namespace

CheckResult CheckInputBox(Context& context) {
  PelorinApp& pelorin = *context.pelorin;
  if (!pelorin.Running()) return Fail("Pelorin is not running");
  POINT first{};
  if (!pelorin.ItemCenter(List::Kaomoji, 0, &first) || !Click(first) ||
      !WaitUntil([&] { return pelorin.Selected(List::Kaomoji) == 0; }, kStepTimeoutMs)) {
    return Fail("could not select the first kaomoji");
  }
  const std::wstring old = pelorin.Texts(List::Kaomoji)[0];
  // The kaomoji list's context menu: add, rewrite, ... Rewrite is the second.
  HWND box = nullptr;
  RightClick(first);
  if (!WaitUntil(
          [&] {
            for (HWND window : TopLevelWindowsOf(pelorin.ProcessId())) {
              if (ClassName(window) == L"#32768") return true;
            }
            return false;
          },
          kStepTimeoutMs)) {
    return Fail("the context menu did not open");
  }
  Pause(150);
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  if (!WaitUntil(
          [&] {
            return (box = FindTopLevel(pelorin.ProcessId(), L"#32770", kRewriteCaption)) != nullptr;
          },
          kStepTimeoutMs)) {
    return Fail("no input box titled " + Show(kRewriteCaption));
  }
  if (ChildWithText(box, L"Static", kRewritePrompt) == nullptr)
    return Fail("the prompt is missing");
  const auto edits = ChildrenOfClass(box, L"Edit");
  HWND ok = ChildWithText(box, L"Button", L"OK");
  if (edits.size() != 1 || ok == nullptr ||
      ChildWithText(box, L"Button", L"キャンセル") == nullptr) {
    return Fail("the box lacks its edit, OK or キャンセル");
  }
  RECT boxRect{};
  ::GetWindowRect(box, &boxRect);
  const RECT windowRect = pelorin.WindowRect();
  if (boxRect.left != windowRect.left || boxRect.top != windowRect.top) {
    return Fail("the box is not at the window's top-left corner");
  }
  DWORD start = 1, end = 0;
  ::SendMessageW(edits[0], EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
  if (WindowText(edits[0]) != old || start != 0 || end != old.size()) {
    return Fail("the old text is not there, selected: " + Show(WindowText(edits[0])));
  }
  TypeText(kTyped);
  if (!WaitUntil([&] { return WindowText(edits[0]) == kTyped; }, kStepTimeoutMs)) {
    return Fail("typing did not replace the text: " + Show(WindowText(edits[0])));
  }
  RECT okRect{};
  ::GetWindowRect(ok, &okRect);
  Click({(okRect.left + okRect.right) / 2, (okRect.top + okRect.bottom) / 2});
  if (!WaitUntil(
          [&] {
            return !::IsWindow(box) && !pelorin.Texts(List::Kaomoji).empty() &&
                   pelorin.Texts(List::Kaomoji)[0] == kTyped;
          },
          kStepTimeoutMs)) {
    return Fail("the list does not show the new text");
  }
  return {};
}

}  // namespace pelorin::e2e
