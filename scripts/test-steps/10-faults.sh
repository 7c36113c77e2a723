#!/usr/bin/env bash
# Proof under faults: the fault sweep (pelorin-scenario --faults: every
# scenario again with each file operation failing in turn) and the crash
# test (1,000 kills of a process saving through the program's own file
# code). Both are ctest tests of the host build (tests/faults), so the main
# ctest run has played them already: this step prints their summaries from
# that run's log, and runs them itself only when the log lacks them (the step
# run on its own).
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${PELORIN_HOST_BUILD:-build/host}  # where scripts/test.sh builds and runs ctest
log=$build/Testing/Temporary/LastTest.log
if ! grep -qs '^fault sweep:' "$log" || ! grep -qs '^crash test:' "$log"; then
  bash scripts/install-build-deps.sh
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELORIN_WERROR=ON >/dev/null
  cmake --build "$build" -j"$(nproc)" \
    --target pelorin-scenario pelorin-crash-test pelorin-crash-writer
  ctest --test-dir "$build" -R '^(fault_sweep|crash_safety)$' --output-on-failure >/dev/null || true
fi

# The summaries, as the two programs printed them.
grep -E '^fault sweep:' "$log" || true
sed -n '/^crash test:/,/^  kills during a write/p' "$log"

passed=0
failed=0
for test in fault_sweep crash_safety; do
  result=$(awk -v name="$test" '$0 ~ "^[0-9]+/[0-9]+ Test: " name "$" { inside = 1 }
    inside && /^Test (Passed|Failed)/ { print; exit }' "$log")
  if [ "$result" = "Test Passed." ]; then
    passed=$((passed + 1))
  else
    echo "FAIL $test"
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
