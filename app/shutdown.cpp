// Shutdown: the clipboard emptied, the kaomoji list and the category list
// saved, the window set back to normal and its state written.
#include "app/form1.h"
#include "app/messages.h"
#include "store/window_state.h"

namespace pelorin::app {

bool Form1::ShutDown() {
  platform_.ClearClipboard();
  if (!CurrentFile_.empty() && !SaveKaomojiFile()) {
    const int answer = Message(messages::KaomojiNotSavedQuit(shownCategory_, CurrentFile_),
                               messages::kOkCancel | messages::kWarning);
    // Cancel keeps the window open as it was; the next exit tries again.
    if (answer != platform::kMsgBoxOk) return false;
  }
  const store::SettingsWrite list = WriteCategoryList();
  SetWindowState(platform::WindowState::Normal);

  const platform::Rect rect = GeometryToSave();
  store::WindowStateFields state;
  state.selectedCategory = static_cast<std::int16_t>(platform_.ListSelected(ListId::List3));
  state.top = rect.top;
  state.left = rect.left;
  state.height = rect.height;
  state.width = rect.width;
  state.menuBarShown = platform_.MenuVisible(ID_FILE);
  state.alwaysOnTop = platform_.MenuChecked(ID_FLONT);
  const store::SettingsWrite written =
      settings_.Write("DATA", "STATE", store::FormatWindowState(state));
  // The window closes after this: the message says what is lost, once.
  if (!list.ok || !written.ok) Message(messages::kSettingsNotWrittenAtExit, messages::kWarning);
  StopCallUpKey();
  return true;
}

void Form1::ClickExit() {
  if (ShutDown()) platform_.EndProgram();
}

}  // namespace pelorin::app
