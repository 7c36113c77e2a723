#!/usr/bin/env bash
# The real Pelorin.exe under Wine in a virtual X display: start, paste, second
# copy, restart, the settings file through the Windows profile functions.
set -euo pipefail
exec bash "$(dirname "$0")/../../tests/e2e/run-wine-checks.sh"
