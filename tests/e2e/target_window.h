#pragma once
// The driver's own window with an edit control: the "window the user was
// typing in" that a paste must reach. It notes which modifier keys were down
// when the V of Ctrl+V arrived, so that a Ctrl+Shift+V shows.

#include <windows.h>

#include <string>

namespace pelorin::e2e {

class TargetWindow {
 public:
  TargetWindow();
  ~TargetWindow();
  TargetWindow(const TargetWindow&) = delete;
  TargetWindow& operator=(const TargetWindow&) = delete;

  HWND Window() const { return window_; }
  bool Exists() const { return window_ != nullptr && edit_ != nullptr; }
  // Empties the edit and forgets the last V.
  void Clear();
  std::wstring Text() const;
  // Modifier keys down at the last V key press in the edit (false before one).
  bool SawV() const { return sawV_; }
  bool CtrlAtV() const { return ctrlAtV_; }
  bool ShiftAtV() const { return shiftAtV_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);

  HWND window_ = nullptr;
  HWND edit_ = nullptr;
  bool sawV_ = false;
  bool ctrlAtV_ = false;
  bool shiftAtV_ = false;
};

}  // namespace pelorin::e2e
