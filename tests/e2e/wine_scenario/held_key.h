#pragma once
// A key combination held system-wide by another program: a run of
// pelorin-hotkey-holder.exe (beside the runner), which registers it and keeps
// it until this object goes.

#include <windows.h>

#include <string>

#include "platform/platform.h"

namespace pelorin::wine_scenario {

class HeldKey {
 public:
  // Starts the holder and waits until it holds the key; Held() is false
  // (and why says so) when it could not.
  HeldKey(const platform::KeyCombination& key, std::string* why);
  // The holder gives the key back and ends.
  ~HeldKey();
  HeldKey(HeldKey&& other) noexcept;
  HeldKey& operator=(HeldKey&&) = delete;
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

  bool Held() const { return process_.hProcess != nullptr; }

 private:
  void End();

  PROCESS_INFORMATION process_{};
};

}  // namespace pelorin::wine_scenario
