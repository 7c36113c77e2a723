#include "tests/scenario/scenario_text.h"

#include <cmath>
#include <cstdio>

#include "platform/sim/scenario_quote.h"

namespace pelorin::scenario {

StepResult Expected(const std::string& what, const std::string& found) {
  return "expected " + what + ", found " + found;
}

std::string Quoted(const std::string& text) { return sim::Quote(text); }

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

const char* YesNo(bool value) { return value ? "yes" : "no"; }

std::string NameOf(ListName list) { return "List" + std::to_string(static_cast<int>(list)); }

bool Matches(const Arg& pattern, const std::string& value) {
  return pattern.IsAny() || pattern.text == value;
}

bool MatchesNumber(const Arg& pattern, double value) {
  return pattern.IsAny() || static_cast<float>(pattern.number) == static_cast<float>(value);
}

std::string DescribePattern(const Arg& pattern) {
  return pattern.IsAny() ? std::string("*") : Quoted(pattern.text);
}

std::string DescribeNumberPattern(const Arg& pattern) {
  return pattern.IsAny() ? std::string("*") : FormatNumber(pattern.number);
}

}  // namespace pelorin::scenario
