#include "bench/bench_table.h"

#include <cstdio>

namespace pelorin::bench {
namespace {

std::string Number(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Three significant digits at least, as "21.4 ms" or "0.123 ms".
std::string Milliseconds(double value) {
  const char* format = value >= 100 ? "%.0f ms" : value >= 10 ? "%.1f ms" : "%.3g ms";
  return Number(format, value);
}

}  // namespace

bool PrintTable(const std::vector<TableRow>& rows, std::ostream& out) {
  bool allMet = true;
  out << kTableHeader << '\n';
  for (const TableRow& row : rows) {
    out << row.benchmark << ", " << Milliseconds(row.milliseconds) << ", ";
    if (!row.baselineMilliseconds) {
      out << (row.note.empty() ? "-" : row.note) << ", -, ";
      if (!row.budgetMilliseconds) {
        out << "-, -\n";
        continue;
      }
      const bool met = row.milliseconds <= *row.budgetMilliseconds;
      allMet = allMet && met;
      out << "<= " << Milliseconds(*row.budgetMilliseconds) << ", " << (met ? "yes" : "NO") << '\n';
      continue;
    }
    const double ratio = row.milliseconds / *row.baselineMilliseconds;
    out << Milliseconds(*row.baselineMilliseconds) << ", " << Number("%.2f", ratio) << ", ";
    if (!row.goal) {
      out << "-, -\n";
      continue;
    }
    const bool met = ratio <= *row.goal;
    allMet = allMet && met;
    out << "<= " << Number("%g", *row.goal) << ", " << (met ? "yes" : "NO") << '\n';
  }
  return allMet;
}

}  // namespace pelorin::bench
