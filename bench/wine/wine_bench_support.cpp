#include <algorithm>
#include <cstdio>
#include <sstream>
#include <utility>

#include "bench/wine/wine_bench.h"

namespace pelorin::bench::wine {
namespace {

LONGLONG Frequency() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER value{};
    ::QueryPerformanceFrequency(&value);
    return value.QuadPart;
  }();
  return frequency;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search.processId || !::IsWindowVisible(window)) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

LONGLONG Ticks() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double TicksToMilliseconds(LONGLONG ticks) {
  return static_cast<double>(ticks) * 1000.0 / static_cast<double>(Frequency());
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool ItemCenter(HWND list, int index, POINT* where) {
  RECT item{};
  if (Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) ==
      LB_ERR) {
    return false;
  }
  *where = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  return ::ClientToScreen(list, where) != FALSE;
}

Program::~Program() {
  if (process_.hProcess == nullptr) return;
  if (!Close(10000)) ::TerminateProcess(process_.hProcess, 99);
  Forget();
}

void Program::Forget() {
  if (process_.hProcess != nullptr) ::CloseHandle(process_.hProcess);
  if (process_.hThread != nullptr) ::CloseHandle(process_.hThread);
  process_ = {};
  window_ = nullptr;
}

HWND Program::Launch(const std::wstring& exe, DWORD timeoutMs, LONGLONG* shownAt) {
  constexpr int kAttempts = 3;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    const char* const again = attempt < kAttempts ? "; starting it again" : "";
    if (!Start(exe)) {
      std::fprintf(stderr, "cannot start %ls (error %lu)%s\n", exe.c_str(), ::GetLastError(),
                   again);
      continue;
    }
    if (HWND window = WaitForWindow(timeoutMs, shownAt)) return window;
    const bool ended = ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
    std::fprintf(stderr, "%ls showed no window%s\n", exe.c_str(), ended ? again : "");
    if (!ended) return nullptr;
    Forget();
  }
  return nullptr;
}

bool Program::Start(const std::wstring& exe) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startedAt_ = Ticks();
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process_)) {
    process_ = {};
    return false;
  }
  return true;
}

HWND Program::WaitForWindow(DWORD timeoutMs, LONGLONG* shownAt) {
  WindowSearch search{process_.dwProcessId, nullptr};
  // A process that ended has no window to wait for. Polled every
  // millisecond: the moment it is seen is the measurement.
  const bool shown = WaitUntil(
      [&] {
        ::EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr ||
               ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
      },
      timeoutMs, 1);
  if (shownAt != nullptr) *shownAt = Ticks();
  window_ = shown ? search.found : nullptr;
  return window_;
}

bool Program::Close(DWORD timeoutMs) {
  if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) return true;
  if (window_ != nullptr) ::PostMessageW(window_, WM_CLOSE, 0, 0);
  return WaitUntil([&] { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; },
                   timeoutMs);
}

TimingLog::TimingLog(std::wstring path) : path_(std::move(path)) {
  ::DeleteFileW(path_.c_str());
  ::SetEnvironmentVariableW(L"PELORIN_TIMING_LOG", path_.c_str());
}

std::vector<Span> TimingLog::Take() {
  std::vector<Span> spans;
  const HANDLE file = ::CreateFileW(path_.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return spans;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  ::CloseHandle(file);
  // Only whole lines: the program may be writing the next one.
  const size_t end = bytes.rfind('\n');
  if (end == std::string::npos || end + 1 <= consumed_) return spans;
  std::istringstream lines(bytes.substr(consumed_, end + 1 - consumed_));
  consumed_ = end + 1;
  Span span;
  while (lines >> span.name >> span.start >> span.stop) spans.push_back(span);
  return spans;
}

std::optional<Span> TimingLog::WaitFor(const std::string& name, DWORD timeoutMs) {
  std::optional<Span> found;
  (void)WaitUntil(
      [&] {
        for (const Span& span : Take()) {
          if (span.name == name) found = span;
        }
        return found.has_value();
      },
      timeoutMs);
  return found;
}

}  // namespace pelorin::bench::wine
