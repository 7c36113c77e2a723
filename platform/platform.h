#pragma once
// The one interface between Pelorin's portable core and a window system.
// Realised by platform/win32 (the real program) and platform/sim (tests).
//
// Rules every realisation keeps:
// - Events flow one way: the platform calls WindowEvents when the *user* acts
//   (or the system does: first show, menu bar appearing). Operations the core
//   calls on Platform raise no events; the core runs the matching handler
//   itself (Form1::Select, Form1::SetGeometry ...), so a program-made change
//   runs its handler exactly once on every platform.
// - Texts are UTF-8. Geometry is in twips (1/1440 inch) as float.
// - List positions are 0-based; -1 means "nothing selected".

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace pelorin::platform {

enum class ListId { List1 = 1, List2 = 2, List3 = 3 };

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

struct Rect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

// Outer size minus client size of the main window, with and without the menu
// bar. The layout uses these in place of fixed allowances.
struct FrameSizes {
  float width = 110;
  float heightWithMenuBar = 640;
  float heightWithoutMenuBar = 360;
};

// Index into the menu table that the core hands to CreateMainWindow.
using MenuItemId = int;

struct MenuEntry {
  const char* name;      // "ID_ADD_S"
  const char* caption;   // exactly as shown; "-" for a separator
  MenuItemId parent;     // -1: the menu bar itself
  bool popupOnly;        // a top-level menu never shown in the bar (context menu)
  bool checked;          // initial check mark
  bool visible;          // initial visibility
  bool separator;
};

// Handle of a top-level window on the desktop; opaque to the core.
using WindowHandle = std::uint64_t;

struct TopLevelWindow {
  WindowHandle handle = 0;
  std::string title;  // empty: no title
  bool visible = false;
};

// Message box buttons-and-icon flags as the program passes them (0 OK only,
// 1 OK and Cancel, 16 critical, 48 warning) and its answers.
inline constexpr int kMsgBoxOk = 1;
inline constexpr int kMsgBoxCancel = 2;

// A system-wide key combination: modifiers and a virtual-key code (the
// platform's key codes, as key-down events report them).
struct KeyCombination {
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  int keyCode = 0;
  bool operator==(const KeyCombination&) const = default;
};

// The texts of the call-up key dialog, as the core words them.
struct CallUpKeyDialogTexts {
  std::string caption;
  std::string prompt;
  std::string noneButton;
};

// What the search window shows, asked of the core while the window is open.
// The platform reads the rows it draws, so a long result list costs nothing
// to hand over.
class SearchSource {
 public:
  virtual ~SearchSource() = default;
  // The text field now holds `text` (also once as the window opens, with "").
  virtual void SetText(const std::string& text) = 0;
  virtual int ResultCount() const = 0;
  virtual std::string ResultKaomoji(int index) const = 0;
  virtual std::string ResultCategory(int index) const = 0;
  // The lines under the results: the count, then any notice.
  virtual std::vector<std::string> StatusLines() const = 0;
};

// The result the user chose in the search window, and the keys held with
// Enter (shift mask as for key-down; 0 for a double click).
struct SearchChoice {
  int result = 0;
  int shift = 0;
};

// Handlers of Form1, called by the platform.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnLoad() = 0;
  virtual void OnResize() = 0;
  // The user closes the window. Returns false when the program stays open.
  virtual bool OnUnload() = 0;
  virtual void OnListClick(ListId list) = 0;
  virtual void OnListDoubleClick(ListId list) = 0;
  // Runs before the list's own handling of the key; shift: 1 Shift, 2 Ctrl, 4 Alt.
  // Returns false when the list's own handling of the key must not follow.
  virtual bool OnListKeyDown(ListId list, int keyCode, int shift) = 0;
  // The focus moved from this list to another control of the window.
  virtual void OnListLostFocus(ListId list) = 0;
  // button: 1 left, 2 right, 4 middle.
  virtual void OnListMouseUp(ListId list, int button) = 0;
  virtual void OnMenuClick(MenuItemId item) = 0;
  // The registered call-up key was pressed, wherever the focus was.
  virtual void OnCallUpKey() = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- window -------------------------------------------------------------
  // Creates the (hidden) main window with its lists and the menu tree; keeps
  // the table for the life of the window.
  virtual void CreateMainWindow(std::span<const MenuEntry> menus, WindowEvents& events) = 0;
  // Outer position and size. While minimized or maximized: what is on screen.
  virtual Rect WindowRect() const = 0;
  // Sets the outer position and size of the window in its normal state.
  virtual void SetWindowRect(const Rect& rect) = 0;
  virtual WindowState GetWindowState() const = 0;
  virtual void SetWindowState(WindowState state) = 0;
  // Puts the window into (or out of) the topmost band and shows it.
  virtual void SetTopmost(bool topmost) = 0;
  virtual bool IsTopmost() const = 0;
  virtual void ShowWindow() = 0;
  virtual bool IsWindowShown() const = 0;
  virtual FrameSizes GetFrameSizes() const = 0;
  // The work areas of the monitors, in twips (screen coordinates).
  virtual std::vector<Rect> Monitors() const = 0;
  virtual WindowHandle OwnWindow() const = 0;
  // Ends the program at once; no unload processing.
  virtual void EndProgram() = 0;

  // --- lists --------------------------------------------------------------
  virtual int ListCount(ListId list) const = 0;
  virtual std::string ListText(ListId list, int index) const = 0;
  virtual std::vector<std::string> ListTexts(ListId list) const = 0;
  // Inserts at index (== count: at the end). An insert at or above the
  // selection moves the selection down with its entry.
  virtual void ListInsert(ListId list, int index, const std::string& text) = 0;
  // Removing the selected entry leaves nothing selected.
  virtual void ListRemove(ListId list, int index) = 0;
  // Replaces all entries at once (fast for long lists); nothing selected.
  virtual void ListReplaceAll(ListId list, const std::vector<std::string>& texts) = 0;
  virtual int ListSelected(ListId list) const = 0;
  // Raises no click event (the core runs it).
  virtual void ListSelect(ListId list, int index) = 0;
  virtual Rect ListRect(ListId list) const = 0;
  // Client coordinates of the window. The height is reduced to whole rows;
  // ListRect reads back what was applied.
  virtual void SetListRect(ListId list, const Rect& rect) = 0;
  virtual void SetToolTip(const std::string& text) = 0;
  virtual std::string ToolTip() const = 0;

  // --- menus --------------------------------------------------------------
  virtual bool MenuVisible(MenuItemId item) const = 0;
  virtual void SetMenuVisible(MenuItemId item, bool visible) = 0;
  virtual bool MenuChecked(MenuItemId item) const = 0;
  virtual void SetMenuChecked(MenuItemId item, bool checked) = 0;
  virtual void SetMenuCaption(MenuItemId item, const std::string& caption) = 0;

  // --- dialogs (modal) ----------------------------------------------------
  // flags: buttons and icon; empty caption shows "Pelorin". Returns the button.
  virtual int MsgBox(const std::string& text, int flags, const std::string& caption) = 0;
  // Top-left corner at left, top (twips). nullopt: Cancel.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                              const std::string& defaultText, float left,
                                              float top) = 0;
  // Shows a popup menu (a top-level popupOnly item) at the pointer. Returns
  // the chosen item, or nullopt when dismissed; the core runs its click.
  virtual std::optional<MenuItemId> PopupMenu(MenuItemId popup) = 0;
  // The call-up key dialog, `current` in its key field. OK calls confirm with
  // the key entered, the "none" button calls it with nullopt; the dialog
  // closes when confirm returns true and stays open otherwise. Cancel closes
  // it without a call.
  virtual void CallUpKeyDialog(
      const CallUpKeyDialogTexts& texts, const std::optional<KeyCombination>& current,
      const std::function<bool(const std::optional<KeyCombination>&)>& confirm) = 0;
  // The search window over the main window: a text field whose every change
  // goes to source.SetText, the results and the status lines read back from
  // source. nullopt: closed with Esc or the close box.
  virtual std::optional<SearchChoice> SearchWindow(const std::string& caption,
                                                   SearchSource& source) = 0;

  // --- keyboard additions ------------------------------------------------
  // Whether this platform realises the call-up key (and its dialog) and the
  // search window; the core offers neither feature where it does not.
  virtual bool OffersCallUpKey() const = 0;
  virtual bool OffersSearch() const = 0;
  // Makes `key` the one call-up key, in place of any earlier one. False when
  // the system refuses it (another program holds it); the earlier key, if
  // any, then stays in force.
  virtual bool RegisterCallUpKey(const KeyCombination& key) = 0;
  virtual void UnregisterCallUpKey() = 0;
  // The list with the keyboard focus within the window (or the one that had
  // it last). Moving it raises no event.
  virtual ListId FocusedList() const = 0;
  virtual void FocusList(ListId list) = 0;
  // Brings the window to the front and makes it active (a minimized window
  // is restored by the core first); while a modal dialog of the program is
  // open, that dialog comes to the front instead, unchanged.
  virtual void BringToFront() = 0;

  // --- desktop ------------------------------------------------------------
  // Every top-level window, top of the stacking order first.
  virtual std::vector<TopLevelWindow> TopLevelWindows() const = 0;
  // The active (foreground) window; 0 when there is none.
  virtual WindowHandle ActiveWindow() const = 0;
  // Brings the window to the front with the keyboard focus; true once it is
  // the foreground window.
  virtual bool ActivateWindow(WindowHandle window) = 0;
  virtual void Beep() = 0;

  // --- clipboard and keyboard --------------------------------------------
  virtual bool ClearClipboard() = 0;
  virtual bool SetClipboardText(const std::string& text) = 0;
  // Sends Ctrl+V to the foreground window; false when it was not delivered.
  virtual bool SendPasteKeystroke() = 0;

  // --- shell and application ---------------------------------------------
  // Opens a file (absolute path) or a web address with its associated program.
  virtual void ShellOpen(const std::string& target) = 0;
  // The folder of the executable, UTF-8, without a trailing separator.
  virtual std::string AppFolder() const = 0;
  virtual bool AnotherCopyRunning() = 0;

  // --- files --------------------------------------------------------------
  virtual FileSystem& Files() = 0;
};

}  // namespace pelorin::platform
