#pragma once
// One run of a program, seen from outside: its process and, for Pelorin, its
// main window (class PelorinForm1, found also while hidden), its list boxes
// and the dialogs and menus it shows.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/desktop.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::wine_scenario {

class Program {
 public:
  Program() = default;
  // A process still running is ended without its shutdown.
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts the exe with the arguments, in another working folder than its
  // own; false with why.
  bool Launch(const std::wstring& exePath, const std::wstring& workingFolder, std::string* why,
              const std::wstring& arguments = L"");
  bool Running() const;
  bool WaitForExit(DWORD timeoutMs) const;
  // The exit code once the process has ended; nullopt before.
  std::optional<DWORD> ExitCode() const;
  HANDLE Process() const { return process_.hProcess; }
  DWORD ThreadId() const { return process_.dwThreadId; }

  // The main window once it exists (hidden or not); nullptr before.
  HWND Window();
  bool WindowShown() { return Window() != nullptr && ::IsWindowVisible(window_); }
  bool IsMinimized() { return Window() != nullptr && ::IsIconic(window_); }
  bool IsMaximized() { return Window() != nullptr && ::IsZoomed(window_); }
  UINT Dpi();

  // The program's visible message boxes, input boxes (#32770) and popup menu
  // windows (#32768; only these when menusOnly), top of the stacking order first.
  std::vector<HWND> Dialogs(bool menusOnly = false) const;
  // The keyboard focus of the program's thread (nullptr: none), and whether
  // the thread is in a menu's loop.
  HWND Focus() const;
  bool InMenuMode() const;

  HWND ListWindow(scenario::ListName list);
  std::vector<std::string> Texts(scenario::ListName list);
  int Selected(scenario::ListName list);
  // The entry's rectangle in screen coordinates; false when there is none.
  bool ItemRect(scenario::ListName list, int index, RECT* rect);
  // Scrolls the list so that the entry is shown whole (LB_SETTOPINDEX raises
  // no event in the program).
  void ShowEntry(scenario::ListName list, int index);

 private:
  GUITHREADINFO ThreadInfo() const;

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

using e2e::Ask;

}  // namespace pelorin::wine_scenario
