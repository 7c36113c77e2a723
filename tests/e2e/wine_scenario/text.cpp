#include "tests/e2e/wine_scenario/text.h"

#include <windows.h>

#include <cstdio>

namespace pelorin::wine_scenario {

void Trace(const std::string& line) {
  static const bool enabled = ::GetEnvironmentVariableW(L"PELORIN_SCENARIO_TRACE", nullptr, 0) > 0;
  if (!enabled) return;
  std::fprintf(stderr, "[%lu] %s\n", ::GetTickCount(), line.c_str());
  std::fflush(stderr);
}

std::string DescribeDesktop() {
  std::string described;
  HWND active = ::GetForegroundWindow();
  for (HWND window = ::GetTopWindow(nullptr); window != nullptr;
       window = ::GetWindow(window, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(window)) continue;
    wchar_t title[256] = {};
    ::GetWindowTextW(window, title, 256);
    if (!described.empty()) described += ' ';
    if ((::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) described += '^';
    if (window == active) described += '*';
    described += Quoted(Utf8(title));
  }
  return "windows: " + described;
}

}  // namespace pelorin::wine_scenario
