#include "tests/e2e/wine_scenario/text.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

namespace pelorin::wine_scenario {

StepResult Expected(const std::string& what, const std::string& found) {
  return "expected " + what + ", found " + found;
}

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length > 0 ? length : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    switch (c) {
      case '\\':
        quoted += "\\\\";
        break;
      case '"':
        quoted += "\\\"";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
          quoted += buffer;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + "\"";
}

std::string DescribeEntries(const std::vector<std::string>& entries) {
  if (entries.empty()) return "empty";
  std::string described;
  for (const std::string& entry : entries) {
    if (!described.empty()) described += ' ';
    described += Quoted(entry);
  }
  return described;
}

std::string DescribeBytes(const std::string& bytes) {
  if (bytes.empty()) return "no bytes";
  std::string described;
  for (char byte : bytes) {
    char buffer[4];
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned char>(byte));
    if (!described.empty()) described += ' ';
    described += buffer;
  }
  return described;
}

std::string FormatNumber(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    return std::to_string(static_cast<long long>(value));
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.9g", value);
  return buffer;
}

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

const char* YesNo(bool value) { return value ? "yes" : "no"; }

int TwipsToPixels(double twips, unsigned dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

double PixelsToTwips(int pixels, unsigned dpi) { return pixels * 1440.0 / dpi; }

}  // namespace pelorin::wine_scenario
