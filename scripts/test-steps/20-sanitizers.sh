#!/usr/bin/env bash
# The whole host test suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer in build/asan: unit tests, behaviour scenarios,
# the fault sweep, the crash test and the fuzz corpora replayed. A sanitizer
# report ends the program it shows in, which fails that test.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/install-build-deps.sh
build=build/asan
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELORIN_SANITIZE=ON -DPELORIN_WERROR=ON >/dev/null
# The build's progress lines are left out; its warnings and errors are not.
cmake --build "$build" -j"$(nproc)" 2>&1 |
  { grep -vE '^\[ *[0-9]+%\] (Building|Linking|Built target)|^(gmake|make)\[[0-9]+\]: (Entering|Leaving)' || true; }

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" >"$build/ctest.out" 2>&1 || status=$?
sed -n '/^The following tests FAILED/,$p' "$build/ctest.out"
grep -E 'tests passed' "$build/ctest.out" || true

# The behaviour scenarios' own closing line, from the scenario runner's run above.
log=$build/Testing/Temporary/LastTest.log
echo "scenarios under the sanitizers: $(sed -n '/Test: scenarios$/,/end of output/p' "$log" |
  grep -E '^[0-9]+ passed, [0-9]+ failed' | tail -n 1)"

# "N% tests passed, F tests failed out of T" as the closing line.
summary=$(grep -E '[0-9]+ tests failed out of [0-9]+' "$build/ctest.out" | tail -n 1 || true)
if [ -z "$summary" ]; then
  tail -n 20 "$build/ctest.out"
  echo "0 passed, 1 failed"
  exit 1
fi
failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$summary")
echo "$((total - failed)) passed, $failed failed"
exit "$status"
