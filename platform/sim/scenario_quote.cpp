#include "platform/sim/scenario_quote.h"

#include <cstdio>

namespace pelorin::sim {

std::string Quote(const std::string& text) {
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

}  // namespace pelorin::sim
