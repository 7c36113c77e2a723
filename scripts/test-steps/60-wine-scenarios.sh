#!/usr/bin/env bash
# The behaviour scenarios of tests/scenarios played against the real
# Pelorin.exe under Wine, with real input, by the Windows scenario runner;
# a scenario that uses a command only the simulation plays is skipped.
set -euo pipefail
exec bash "$(dirname "$0")/../../tests/e2e/run-wine-scenarios.sh"
