#pragma once
// The real program's platform: one top-level window with three list boxes,
// the menus built from the core's table, the dialogs, the desktop, the
// clipboard and the keyboard, all on the Win32 API.
//
// Only user actions reach WindowEvents. Every operation the core calls runs
// inside a QuietScope, which drops the WM_SIZE and LBN_SELCHANGE that the
// operation itself causes (the core runs the handler itself).

#include <windows.h>

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/hot_key_registration.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/menu_tree.h"
#include "platform/win32/unique.h"

namespace pelorin::platform::win32 {

inline constexpr wchar_t kWindowClass[] = L"PelorinForm1";
inline constexpr wchar_t kCaption[] = L"Pelorin";

class Win32Platform final : public Platform {
 public:
  explicit Win32Platform(HINSTANCE instance);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // Pumps messages until the window is gone. Returns the program's exit code.
  int RunMessageLoop();

  // window (main_window.cpp, window_geometry.cpp)
  void CreateMainWindow(std::span<const MenuEntry> menus, WindowEvents& events) override;
  Rect WindowRect() const override;
  void SetWindowRect(const Rect& rect) override;
  WindowState GetWindowState() const override;
  void SetWindowState(WindowState state) override;
  void SetTopmost(bool topmost) override;
  bool IsTopmost() const override;
  void ShowWindow() override;
  bool IsWindowShown() const override;
  FrameSizes GetFrameSizes() const override;
  std::vector<Rect> Monitors() const override;
  WindowHandle OwnWindow() const override;
  void EndProgram() override;

  // lists (list_boxes.cpp)
  int ListCount(ListId list) const override;
  std::string ListText(ListId list, int index) const override;
  std::vector<std::string> ListTexts(ListId list) const override;
  void ListInsert(ListId list, int index, const std::string& text) override;
  void ListRemove(ListId list, int index) override;
  void ListReplaceAll(ListId list, const std::vector<std::string>& texts) override;
  int ListSelected(ListId list) const override;
  void ListSelect(ListId list, int index) override;
  Rect ListRect(ListId list) const override;
  void SetListRect(ListId list, const Rect& rect) override;
  void SetToolTip(const std::string& text) override;
  std::string ToolTip() const override;

  // menus (main_window.cpp)
  bool MenuVisible(MenuItemId item) const override;
  void SetMenuVisible(MenuItemId item, bool visible) override;
  bool MenuChecked(MenuItemId item) const override;
  void SetMenuChecked(MenuItemId item, bool checked) override;
  void SetMenuCaption(MenuItemId item, const std::string& caption) override;

  // dialogs (dialogs.cpp)
  int MsgBox(const std::string& text, int flags, const std::string& caption) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                      const std::string& defaultText, float left,
                                      float top) override;
  std::optional<MenuItemId> PopupMenu(MenuItemId popup) override;

  // the call-up key and the search (keyboard_additions.cpp)
  void CallUpKeyDialog(
      const CallUpKeyDialogTexts& texts, const std::optional<KeyCombination>& current,
      const std::function<bool(const std::optional<KeyCombination>&)>& confirm) override;
  std::optional<SearchChoice> SearchWindow(const std::string& caption,
                                           SearchSource& source) override;
  bool OffersCallUpKey() const override { return true; }
  bool OffersSearch() const override { return true; }
  bool RegisterCallUpKey(const KeyCombination& key) override;
  void UnregisterCallUpKey() override;
  ListId FocusedList() const override;
  void FocusList(ListId list) override;
  void BringToFront() override;

  // desktop, clipboard, keyboard (desktop.cpp, clipboard.cpp)
  std::vector<TopLevelWindow> TopLevelWindows() const override;
  WindowHandle ActiveWindow() const override;
  bool ActivateWindow(WindowHandle window) override;
  void Beep() override;
  bool ClearClipboard() override;
  bool SetClipboardText(const std::string& text) override;
  bool SendPasteKeystroke() override;

  // shell and application (application.cpp)
  void ShellOpen(const std::string& target) override;
  std::string AppFolder() const override;
  bool AnotherCopyRunning() override;
  FileSystem& Files() override { return files_; }

 private:
  // Drops the events caused by the platform's own operations while it lives.
  class QuietScope {
   public:
    explicit QuietScope(const Win32Platform& platform) : platform_(platform) { ++platform_.quiet_; }
    ~QuietScope() { --platform_.quiet_; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

   private:
    const Win32Platform& platform_;
  };

  // Counts the program's own message handling while it runs (the window
  // procedures and the load event), so that a test build can tell when the
  // program waits for input again.
  class DispatchScope {
   public:
    explicit DispatchScope(Win32Platform& platform) : platform_(platform) {
      ++platform_.dispatchDepth_;
    }
    ~DispatchScope() { --platform_.dispatchDepth_; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;

   private:
    Win32Platform& platform_;
  };

  // One press of the left button on a list, from button down to button up.
  struct ClickGesture {
    bool active = false;
    bool doubleClick = false;  // started by the second press of a double click
    bool inButtonUp = false;
    int selectionAtStart = -1;
  };

  // main_window.cpp (creation) and window_proc.cpp (the window procedure).
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void RegisterWindowClass() const;
  void CreateLists();
  void CreateToolTip();
  void ApplyFont();
  void OnSize();
  bool OnClose();
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnListNotification(ListId list, int code);
  void OnInitMenuPopup(HMENU popup);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnActivate(WPARAM wParam);
  void OnSetFocus();
  // The list that OnSetFocus gives the focus to.
  HWND FocusOnActivation() const;
  void OnDestroy();
  void OnHotKey(WPARAM id);
  void AttachMenuBar();
#ifdef PELORIN_PROBE
  // probe/probe.cpp, test builds only: answers the scenario runner's questions
  // (probe/probe_protocol.h) about the real window objects.
  LRESULT AnswerProbe(WPARAM wParam, LPARAM lParam);
  LRESULT ProbeMenuItem(MenuItemId item, bool checkMark) const;
  LRESULT ProbeBarItemRect(MenuItemId item) const;
  LRESULT ProbeMenuCaption(MenuItemId item, HWND replyTo) const;
  std::wstring ToolTipText() const;
  LRESULT DescribePopupForProbe(HWND popupWindow, HWND replyTo);
#endif

  // list_input.cpp: the list boxes' own messages, before the list handles them.
  static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);
  LRESULT HandleListMessage(ListId list, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool OnListKeyDown(ListId list, HWND window, UINT message, WPARAM key);
  void OnListButtonDown(ListId list, HWND window, bool doubleClick);
  void OnListButtonUp(ListId list, HWND window, WPARAM wParam, LPARAM lParam);
  void FinishClickGesture(ListId list, HWND window, bool releasedOnSelection);
  void OnListKillFocus(ListId list, HWND next);

  HWND ListWindow(ListId list) const;
  std::optional<ListId> ListOf(HWND window) const;
  UINT Dpi() const;
  bool Quiet() const { return quiet_ > 0 || events_ == nullptr; }
  Rect ChildRect(HWND child) const;

  // Modifier keys that a paste releases before Ctrl+V, each side on its own.
  static constexpr WORD kModifierKeys[] = {VK_LSHIFT, VK_RSHIFT, VK_LMENU,
                                           VK_RMENU,  VK_LWIN,   VK_RWIN};
  // keyboard.cpp: bit i set when kModifierKeys[i] is held by this thread's
  // current key (or, with `system`, anywhere).
  static unsigned HeldModifiers(bool system);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  // The modifiers held at the key being handled by a list's key-down event
  // (Shift from Shift+Enter), kept while the event runs.
  unsigned modifiersAtKeyDown_ = 0;
  std::array<HWND, 3> lists_{};
  std::array<ClickGesture, 3> gestures_{};
  UniqueWindow toolTip_;
  // The call-up key; the first of its two hot-key IDs is kCallUpKeyId.
  static constexpr int kCallUpKeyId = 1;
  HotKeyRegistration callUpKey_;
  UniqueFont font_;
  MenuTree menus_;
  WindowEvents* events_ = nullptr;
  mutable int quiet_ = 0;
  bool quitPosted_ = false;
  UINT fontDpi_ = 96;  // the DPI the font and the list geometry were made for
  HWND lastFocus_ = nullptr;
  std::string toolTipText_;
  UniqueHandle instanceMutex_;
  std::optional<bool> anotherCopy_;
  Win32FileSystem files_;
  int dispatchDepth_ = 0;  // DispatchScopes alive
  int beepsMade_ = 0;      // calls of Beep, for the test build's probe
};

}  // namespace pelorin::platform::win32
