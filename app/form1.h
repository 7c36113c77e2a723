#pragma once
// Form1: the program's one window. Its event handlers are the commands; the
// subsystems (app, store, categories, kaomoji, paste, help) each define their
// part of it. The lists are the model: Form1 keeps only CurrentFile and
// LastShift (plus what protects stored data) besides its controls.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/menu_table.h"
#include "platform/platform.h"
#include "store/settings_file.h"

namespace pelorin::search {
class SearchCollection;
}

namespace pelorin::app {

using platform::ListId;

inline constexpr const char* kAppTitle = "Pelorin";

class Form1 : public platform::WindowEvents {
 public:
  explicit Form1(platform::Platform& platform);

  // Creates the window; the platform then raises the load event.
  void Create();

  const std::string& CurrentFile() const { return CurrentFile_; }
  std::int16_t LastShift() const { return LastShift_; }

  // --- events (platform -> Form1) -------------------------------------------
  void OnLoad() override;
  void OnResize() override;
  bool OnUnload() override;
  void OnListClick(ListId list) override;
  void OnListDoubleClick(ListId list) override;
  bool OnListKeyDown(ListId list, int keyCode, int shift) override;
  void OnListLostFocus(ListId list) override;
  void OnListMouseUp(ListId list, int button) override;
  void OnMenuClick(platform::MenuItemId item) override;
  void OnCallUpKey() override;

 private:
  // Counts the modal dialogs and menus open while it lives: the call-up key
  // then brings the dialog to the front and changes nothing else.
  class ModalScope {
   public:
    explicit ModalScope(Form1& form) : form_(form) { ++form_.modalDepth_; }
    ~ModalScope() { --form_.modalDepth_; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

   private:
    Form1& form_;
  };

  // --- helpers: program-made changes run their event exactly once (form1.cpp)
  void Select(ListId list, int index);
  void SetWindowRect(const platform::Rect& rect);
  void SetWindowState(platform::WindowState state);
  void SetMenuVisible(MenuItem item, bool visible);
  void ShowForm();
  bool MenuBarShown() const;
  std::string DataFolder() const;
  std::string DataPath(const std::string& fileName) const;
  // Shows a message box; caption "" shows the application title.
  int Message(const std::string& text, int flags = 0, const std::string& caption = "");
  std::optional<std::string> AskInput(const std::string& prompt, const std::string& caption,
                                      const std::string& defaultText, float left, float top);
  std::optional<platform::MenuItemId> ShowPopup(MenuItem popup);
  // Moves the keyboard focus to `list`; the list that loses it gets its
  // lost-focus handler.
  void FocusList(ListId list);
  // Reports a failed settings write once per command (see ReportSettingsWrite).
  void ReportSettingsWrite(const store::SettingsWrite& result);

  // --- window options (app/options.cpp)
  void ClickMenuOption();
  void ClickMenuOptionTwin();
  void ClickAlwaysOnTop();
  void ClickAlwaysOnTopTwin();

  // --- start-up, layout, shutdown (app/startup.cpp, app/layout.cpp, app/shutdown.cpp)
  void StartUp();
  // Returns the outer rectangle it asked for, when one was saved.
  std::optional<platform::Rect> ApplySavedWindowState(const store::SettingsValue& saved);
  // The rectangle to save: where the window stands, except that a position
  // or a size the user left as start-up made it is saved as it was read.
  platform::Rect GeometryToSave() const;
  void Layout();
  bool ShutDown();
  void ClickExit();

  // --- storage (store/category_selection.cpp, store/category_list.cpp)
  void SelectCategory();
  bool SaveKaomojiFile();
  void SaveCategoryList();
  store::SettingsWrite WriteCategoryList();
  // nullopt when the settings file cannot be read.
  std::optional<std::vector<std::string>> ReadCategoryList();
  // The kaomoji file of a category (FILE key, or name + ".txt"); nullopt when
  // the settings file cannot be read.
  std::optional<std::string> KaomojiFileOf(const std::string& category);
  bool LoadKaomojiFile(const std::string& fileName, const std::string& category);
  void PutCategorySelectionBack();
  void ReportKaomojiNotSaved();
  void MarkKaomojiListChanged() { KaomojiListProtected_ = false; }

  // --- categories (categories/*.cpp)
  void AddCategory();
  void RenameCategory();
  void DeleteCategory();
  void MoveCategoryUp();
  void MoveCategoryDown();
  void MoveCategoryToTop();
  void CategoryKeyDown(int keyCode, int shift);
  void CategoryMouseUp(int button);

  // --- kaomoji (kaomoji/*.cpp)
  void AddKaomoji();
  void RewriteKaomoji();
  void DeleteKaomoji();
  void MoveKaomojiUp();
  void MoveKaomojiDown();
  void MoveKaomojiToTop();
  void KaomojiClick();
  void KaomojiLostFocus();
  void KaomojiKeyDown(int keyCode, int shift);
  void KaomojiMouseUp(int button);
  void OpenEditMenu();

  // --- paste (paste/paste.cpp)
  void Paste();
  // The window a paste would go to now (lifting the program's window and
  // listing the titles into List1 as the paste does); nullopt: none.
  std::optional<platform::WindowHandle> FindPasteTarget();

  // --- the call-up key (app/call_up_key.cpp)
  // `stored`: the value of 設定.ini (nullopt: none, the default key).
  void StartCallUpKey(const std::optional<std::string>& stored);
  void StopCallUpKey();
  void ChooseCallUpKey();
  // OK or "none" in the dialog; false keeps the dialog open.
  bool ConfirmCallUpKey(const std::optional<platform::KeyCombination>& key);
  void ShowCallUpKeyCaption();
  void CallUpKeyPressed();

  // --- the search (search/search_command.cpp)
  void OpenSearch();
  // The kaomoji file of a category as category selection would find it,
  // read only: a file name chosen by the program is not recorded. nullopt
  // when the settings file cannot be read.
  std::optional<std::string> FindKaomojiFile(const std::string& category) const;
  // Every category's kaomoji into `collection`, and each one's file beside
  // it ("" for the shown category). Returns the first file that exists but
  // cannot be read ("" when none).
  std::string CollectKaomojiForSearch(search::SearchCollection& collection,
                                      std::vector<std::string>& fileOfCategory) const;

  // --- help (help/help_commands.cpp)
  void OpenHelp();
  void OpenSupportPage();
  void ShowVersion();

  void RunMenuCommand(MenuItem item);

  platform::Platform& platform_;
  store::SettingsFile settings_;

  // The two values of the window.
  std::string CurrentFile_;
  std::int16_t LastShift_ = 0;

  // The shown kaomoji came from a file whose bytes were damaged; it is not
  // written back until the user changes the list.
  bool KaomojiListProtected_ = false;
  // A failed settings write was already reported during this command.
  bool settingsFailureReported_ = false;
  // The category whose kaomoji List2 shows (empty: none); names it in
  // messages and takes the selection back when a switch must not happen.
  std::string shownCategory_;
  bool windowShownOnce_ = false;
  // The rectangle start-up asked for and the one the window had when start-up
  // ended. Row snapping and pixel rounding at another DPI make the second
  // differ from the first; saving the second would move and shrink the
  // window a little at every start after a DPI change.
  std::optional<platform::Rect> askedAtStart_;
  platform::Rect shownAtStart_;
  int layoutDepth_ = 0;
  int modalDepth_ = 0;
  // The state a minimized window goes back to.
  platform::WindowState stateBeforeMinimize_ = platform::WindowState::Normal;
  // The call-up key in force (nullopt: none).
  std::optional<platform::KeyCombination> callUpKey_;
  // Handles of the windows listed in List1, beside their titles.
  std::vector<platform::WindowHandle> titleHandles_;

  friend void CollectWindowTitle(Form1& form, const platform::TopLevelWindow& window);
};

}  // namespace pelorin::app
