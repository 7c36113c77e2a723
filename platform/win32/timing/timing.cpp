// The benchmark build's timing log (timing.h). Compiled into
// Pelorin-timing.exe only.
#include "platform/win32/timing/timing.h"

#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/unique.h"

namespace pelorin::platform::win32::timing {
namespace {

std::map<std::string, LONGLONG>& Started() {
  static std::map<std::string, LONGLONG> started;
  return started;
}

LONGLONG Now() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// Appends one line; the file is opened for each, so that a benchmark can
// read it (and empty it) whenever it likes.
void Append(const std::string& line) {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetEnvironmentVariableW(L"PELORIN_TIMING_LOG", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const HANDLE opened =
      ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return;
  const UniqueHandle file(opened);
  DWORD written = 0;
  ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

void Start(const char* name) { Started()[name] = Now(); }

void Stop(const char* name) {
  const LONGLONG stop = Now();
  auto found = Started().find(name);
  if (found == Started().end()) return;
  const LONGLONG start = found->second;
  Started().erase(found);
  Append(std::string(name) + " " + std::to_string(start) + " " + std::to_string(stop) + "\n");
}

}  // namespace pelorin::platform::win32::timing
