#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build/fuzz and runs them.
#
#   scripts/fuzz-long.sh [-t SECONDS | -n RUNS] [-p PARALLEL] [TARGET...]
#
# -t: run each target for SECONDS (default 3600); -n: for RUNS executions
# instead. -p: how many targets run at once (default 1). TARGET: any of
# settings_file kaomoji_file window_state category_names (default all).
# Each target starts from its seed corpus (tests/fuzz/corpus/TARGET) and
# what earlier runs found (build/fuzz/corpus/TARGET, kept between runs).
# An input that breaks a property, crashes, leaks or hangs is written to
# build/fuzz/artifacts/; add it to the seed corpus once it is fixed.
# Exits 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-max_total_time=3600)
parallel=1
while getopts "t:n:p:" option; do
  case "$option" in
    t) limit=(-max_total_time="$OPTARG") ;;
    n) limit=(-runs="$OPTARG") ;;
    p) parallel="$OPTARG" ;;
    *) echo "usage: $0 [-t SECONDS | -n RUNS] [-p PARALLEL] [TARGET...]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
targets=("$@")
((${#targets[@]})) || targets=(settings_file kaomoji_file window_state category_names)

build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPELORIN_FUZZ=ON >/dev/null
cmake --build "$build" --target pelorin_fuzz -j2 >/dev/null
mkdir -p "$build/artifacts" "$build/logs"

# Leaves the exit status in logs/TARGET.status.
run_target() {
  local target=$1 status=0
  mkdir -p "$build/corpus/$target"
  "$build/tests/fuzz/fuzz_$target" "$build/corpus/$target" "tests/fuzz/corpus/$target" \
    "${limit[@]}" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$target-" >"$build/logs/$target.log" 2>&1 || status=$?
  echo "$status" >"$build/logs/$target.status"
}

running=0
for target in "${targets[@]}"; do
  rm -f "$build/logs/$target.status"
  if ((running >= parallel)); then
    wait -n || true
    running=$((running - 1))
  fi
  run_target "$target" &
  running=$((running + 1))
done
wait

failed=0
printf '%-16s %14s %10s  %s\n' target executions seconds result
for target in "${targets[@]}"; do
  result=ok
  [ "$(cat "$build/logs/$target.status" 2>/dev/null)" = 0 ] || result=FOUND
  log="$build/logs/$target.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  seconds=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
  if [ "$result" != ok ] || grep -q -E '^(==[0-9]+==ERROR|SUMMARY:)|property does not hold' "$log"; then
    result="FOUND (see $log)"
    failed=1
  fi
  printf '%-16s %14s %10s  %s\n' "$target" "${runs:-?}" "${seconds:-?}" "$result"
done
exit "$failed"
