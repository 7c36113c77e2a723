#!/usr/bin/env bash
# Builds Pelorin and runs every test on a fresh Debian 12 machine, installing
# what each step needs. Steps: host build with unit tests and behaviour
# scenarios, then every further step script found in scripts/test-steps/
# (sanitizers, fault sweep, fuzzing, Wine), in name order.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-build-deps.sh
cmake -S . -B build/host -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELORIN_WERROR=ON >/dev/null
cmake --build build/host -j"$(nproc)"
ctest --test-dir build/host --output-on-failure -j"$(nproc)" | tail -n 8

failed=0
for step in scripts/test-steps/*.sh; do
  [ -e "$step" ] || continue
  echo "== $(basename "$step" .sh)"
  started=$SECONDS
  if ! bash "$step"; then
    echo "step failed: $step"
    failed=1
  fi
  echo "-- $(basename "$step" .sh) took $((SECONDS - started)) s"
done

# The behaviour scenarios' own summary closes the run.
./build/host/pelorin-scenario tests/scenarios | tail -n 1
exit "$failed"
