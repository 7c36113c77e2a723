#!/usr/bin/env bash
# Builds Pelorin and runs every test: unit tests and the behaviour scenarios
# on the simulated window system. Installs its own packages on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-build-deps.sh
cmake -S . -B build/host -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/host -j"$(nproc)"
ctest --test-dir build/host --output-on-failure -j"$(nproc)" | tail -n 25
# The scenario runner's own summary, as its closing line.
./build/host/pelorin-scenario tests/scenarios | tail -n 1
