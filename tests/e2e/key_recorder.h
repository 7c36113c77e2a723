#pragma once
// Records the keystrokes that programs inject (SendInput) while it lives,
// through a low-level keyboard hook: the order in which Pelorin sends its
// keys is seen from outside, whatever window receives them.

#include <windows.h>

#include <vector>

namespace pelorin::e2e {

struct KeyEvent {
  DWORD virtualKey;
  bool up;
};

class KeyRecorder {
 public:
  KeyRecorder();
  ~KeyRecorder();
  KeyRecorder(const KeyRecorder&) = delete;
  KeyRecorder& operator=(const KeyRecorder&) = delete;

  bool Active() const { return hook_ != nullptr; }
  const std::vector<KeyEvent>& Events() const;

 private:
  HHOOK hook_ = nullptr;
};

// True when, after the last Enter key-up, every Shift key was released before
// Ctrl went down and V was pressed while Ctrl was held.
bool ShiftReleasedBeforeCtrlV(const std::vector<KeyEvent>& events);

}  // namespace pelorin::e2e
