#pragma once
// Move-only owners for Win32 handles, and guards for paired calls.

#include <windows.h>

#include <utility>

namespace pelorin::platform::win32 {

// Owns a handle and closes it with Close, in the spirit of unique_any. A null
// handle means "none".
template <typename T, auto Close>
class Unique {
 public:
  Unique() = default;
  explicit Unique(T handle) : handle_(handle) {}
  ~Unique() { reset(); }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : handle_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Closes the old handle and takes the new one.
  void reset(T handle = nullptr) {
    if (handle_ != nullptr) Close(handle_);
    handle_ = handle;
  }
  // Gives up ownership, e.g. when the system takes the handle over.
  [[nodiscard]] T release() { return std::exchange(handle_, nullptr); }

 private:
  T handle_ = nullptr;
};

using UniqueHandle = Unique<HANDLE, &::CloseHandle>;
using UniqueHGlobal = Unique<HGLOBAL, &::GlobalFree>;
using UniqueFont = Unique<HFONT, &::DeleteObject>;
using UniqueWindow = Unique<HWND, &::DestroyWindow>;
using UniqueMenu = Unique<HMENU, &::DestroyMenu>;
using UniqueIcon = Unique<HICON, &::DestroyIcon>;
// A search of FindFirstFileW; its failure value INVALID_HANDLE_VALUE is not
// to be stored.
using UniqueFind = Unique<HANDLE, &::FindClose>;

// OpenClipboard ... CloseClipboard. Opening is retried for a short while,
// because another program may hold the clipboard for a moment (clipboard
// managers, remote desktop clients).
class ClipboardGuard {
 public:
  explicit ClipboardGuard(HWND owner);
  ~ClipboardGuard();
  ClipboardGuard(const ClipboardGuard&) = delete;
  ClipboardGuard& operator=(const ClipboardGuard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

// GlobalLock ... GlobalUnlock.
class GlobalLockGuard {
 public:
  explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
  ~GlobalLockGuard() {
    if (data_ != nullptr) ::GlobalUnlock(memory_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  void* Data() const { return data_; }

 private:
  HGLOBAL memory_;
  void* data_;
};

}  // namespace pelorin::platform::win32
