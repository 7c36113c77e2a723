// pelorin-open-recorder: stands in for the browser and the help viewer in the
// Wine prefix of the scenario runs. The prefix opens .html files and web
// addresses with it; it appends what it was asked to open, one UTF-8 line
// each, to the file named by PELORIN_OPENED_LOG (the runner sets it for the
// program it starts, which hands it on), and ends.

#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  wchar_t logPath[MAX_PATH * 4];
  const DWORD length = ::GetEnvironmentVariableW(L"PELORIN_OPENED_LOG", logPath, MAX_PATH * 4);
  if (length == 0 || length >= MAX_PATH * 4) return 1;
  std::wstring asked;
  for (int i = 1; i < argc; ++i) asked += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
  std::string line(static_cast<size_t>(asked.size()) * 3 + 1, '\0');
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, asked.data(), static_cast<int>(asked.size()),
                                          line.data(), static_cast<int>(line.size()), nullptr,
                                          nullptr);
  line.resize(static_cast<size_t>(bytes > 0 ? bytes : 0));
  line += '\n';
  // FILE_APPEND_DATA: each line lands whole at the end, even when two opens
  // come at once.
  HANDLE log = ::CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(log);
  return ok ? 0 : 1;
}
