#pragma once
// One running copy of Pelorin.exe, seen from outside: its process, its main
// window (class PelorinForm1, title "Pelorin") and its list boxes.

#include <windows.h>

#include <string>
#include <vector>

namespace pelorin::e2e {

// The list boxes by control id, as Pelorin creates them.
enum class List { Titles = 1, Kaomoji = 2, Categories = 3 };

class PelorinApp {
 public:
  explicit PelorinApp(std::wstring exePath) : exePath_(std::move(exePath)) {}
  ~PelorinApp();
  PelorinApp(const PelorinApp&) = delete;
  PelorinApp& operator=(const PelorinApp&) = delete;

  // Starts the program (from another working folder than its own) without
  // waiting for anything.
  bool Launch(std::string* error);
  // Waits until its main window is visible.
  bool WaitForWindow(DWORD timeoutMs);
  bool Running() const;
  // Waits until the process has ended; its exit code.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  DWORD ProcessId() const { return process_.dwProcessId; }

  HWND Window() const { return window_; }
  HWND ListWindow(List list) const;
  std::vector<std::wstring> Texts(List list) const;
  int Selected(List list) const;
  // Screen point in the middle of an entry (LB_GETITEMRECT, ClientToScreen).
  bool ItemCenter(List list, int index, POINT* where) const;
  bool IsTopmost() const;
  bool HasMenuBar() const;
  RECT WindowRect() const;
  // Makes the window repaint itself. Under wine this also sends out what its
  // display connection still holds, a beep among them.
  void Repaint() const;

 private:
  std::wstring exePath_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace pelorin::e2e
