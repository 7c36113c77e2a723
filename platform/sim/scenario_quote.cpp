#include "platform/sim/scenario_quote.h"

#include <cstdio>

namespace pelorin::sim {

std::string Quote(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    char escaped[8];
    if (const char* named = c == '\\'   ? "\\\\"
                            : c == '"'  ? "\\\""
                            : c == '\r' ? "\\r"
                            : c == '\n' ? "\\n"
                            : c == '\t' ? "\\t"
                                        : nullptr) {
      quoted += named;
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(c));
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

}  // namespace pelorin::sim
