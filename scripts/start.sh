#!/usr/bin/env bash
# Builds Pelorin.exe and starts it under Wine in build/Pelorin/, on the starter
# collection the first time (a collection already there is never overwritten).
# Installs its own packages on Debian 12.
set -euo pipefail
exec bash "$(dirname "$0")/../tests/e2e/start-pelorin.sh" "$@"
