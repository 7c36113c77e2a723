// The paste: the focus back to the window the user typed in, the kaomoji on
// the clipboard, Ctrl+V sent. The target is found in the stacking order: the
// first window listed below the program's own entries.
#include "app/form1.h"
#include "app/key_codes.h"
#include "paste/module1.h"

namespace pelorin::app {

namespace {
constexpr const char* kDesktopTitle = "Program Manager";
}  // namespace

std::optional<platform::WindowHandle> Form1::FindPasteTarget() {
  platform_.SetTopmost(false);
  platform_.ListReplaceAll(ListId::List1, {});
  titleHandles_.clear();
  platform_.ActivateWindow(platform_.OwnWindow());
  for (const platform::TopLevelWindow& window : platform_.TopLevelWindows()) {
    CollectWindowTitle(*this, window);
  }
  if (platform_.MenuChecked(ID_FLONT)) platform_.SetTopmost(true);

  const std::vector<std::string> titles = platform_.ListTexts(ListId::List1);
  const int count = static_cast<int>(titles.size());
  int first = 0;
  while (first < count && titles[first] != kAppTitle) ++first;
  // The target is the first entry below the program's own: the first entry of
  // its caption, and any of the program's own windows right below it. Another
  // program's window of the same caption there is a target like any other.
  int target = first + 1;
  while (target < count && titleHandles_[target] == platform_.OwnWindow()) ++target;
  // No window below the program's entries, or only the desktop: nothing to
  // paste into.
  if (target >= count || titles[target] == kDesktopTitle) return std::nullopt;
  return titleHandles_[target];
}

void Form1::Paste() {
  platform_.ClearClipboard();
  const std::optional<platform::WindowHandle> target = FindPasteTarget();
  // No target, a target that cannot be activated, a clipboard that cannot
  // be set and a keystroke not delivered all end the same way: a beep.
  if (!target || !platform_.ActivateWindow(*target)) {
    platform_.Beep();
    return;
  }
  int selected = platform_.ListSelected(ListId::List2);
  std::string text = selected >= 0 ? platform_.ListText(ListId::List2, selected) : "";
  const bool lineBreak = LastShift_ == kShiftOnly;
  if (lineBreak) text += "\r\n";
  if (!platform_.SetClipboardText(text) || !platform_.SendPasteKeystroke()) {
    platform_.Beep();
    return;
  }
  if (lineBreak) LastShift_ = 0;
}

}  // namespace pelorin::app
