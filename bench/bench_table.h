#pragma once
// The benchmark table: each measured time beside its baseline, measured in
// the same run, with the ratio and the goal. One line a benchmark:
//
//   benchmark, time, baseline, ratio, goal, met
//   load 100000 entries: ..., 21.4 ms, 15.1 ms, 1.42, <= 1.5, yes
//
// Times in milliseconds; a row without a baseline prints its note (or "-")
// as the baseline and "-" for the ratio, and its time budget ("<= 16 ms")
// as the goal, or "-" for goal and met when it has none. Names hold no comma, so
// the columns split at ", ". Every timing program of Pelorin prints this format,
// so their tables can be put together.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pelorin::bench {

struct TableRow {
  std::string benchmark;
  double milliseconds = 0;
  std::optional<double> baselineMilliseconds;
  std::optional<double> goal;  // the highest ratio that meets it
  // Without a baseline: the longest time that meets it, printed as the goal.
  std::optional<double> budgetMilliseconds;
  std::string note;            // printed in place of a missing baseline
};

inline constexpr const char* kTableHeader = "benchmark, time, baseline, ratio, goal, met";

// Prints the header and the rows; returns false when a goal was missed.
bool PrintTable(const std::vector<TableRow>& rows, std::ostream& out);

}  // namespace pelorin::bench
