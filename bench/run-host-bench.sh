#!/usr/bin/env bash
# Builds and runs the host benchmarks (build-bench), then prints the table
#   benchmark, time, baseline, ratio, goal, met
# with each time the fastest of REPETITIONS runs (default 9) and its baseline
# measured in the same run. Google Benchmark's own report goes to
# build-bench/bench-report.txt. Extra arguments go to pelorin-bench (for
# example --benchmark_filter=load). Exits 1 when a goal was missed.
# The times are wall-clock times: run it on a machine that is otherwise idle.
# The files live in the system's temporary folder (TMPDIR), so that
# TMPDIR=/dev/shm measures without the disk.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-build-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-bench --target pelorin-bench -j"$(nproc)" >/dev/null

./build-bench/bench/pelorin-bench \
  --benchmark_repetitions="${REPETITIONS:-9}" --benchmark_report_aggregates_only=true \
  --benchmark_min_time="${MIN_TIME:-0.5}" "$@" 2>build-bench/bench-report.txt
