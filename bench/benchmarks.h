#pragma once
// The host benchmarks, registered by name so that the table can pair each
// with its baseline (bench_main.cpp).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace pelorin::bench {

inline constexpr std::size_t kSmallFile = 10'000;
inline constexpr std::size_t kLargeFile = 100'000;
inline constexpr std::size_t kCategoryCount = 2'000;
// The search's collection: this many kaomoji in this many categories.
inline constexpr std::size_t kSearchKaomoji = 100'000;
inline constexpr std::size_t kSearchCategories = 200;

// Registers `run(state, count)` as `name`, timed by the clock on the wall
// (files are involved), in milliseconds. With repetitions, the fastest
// repetition is reported as "min" beside the mean and the median: on a busy
// machine it is the best estimate of the cost itself.
template <typename Function>
void Register(const std::string& name, Function run, std::size_t count) {
  benchmark::RegisterBenchmark(name.c_str(),
                               [run, count](benchmark::State& state) { run(state, count); })
      ->UseRealTime()
      ->Unit(benchmark::kMillisecond)
      ->ComputeStatistics("min", [](const std::vector<double>& times) {
        return *std::min_element(times.begin(), times.end());
      });
}

void RegisterKaomojiFileBenchmarks();
void RegisterCategoryListBenchmarks();
void RegisterForm1Benchmarks();
void RegisterSearchBenchmarks();

}  // namespace pelorin::bench
