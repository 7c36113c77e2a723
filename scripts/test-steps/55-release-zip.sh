#!/usr/bin/env bash
# The release zip as a user meets it: built, unpacked into a fresh folder and
# started under Wine, showing the starter collection and leaving it intact.
set -euo pipefail
exec bash "$(dirname "$0")/../../tests/e2e/check-release-zip.sh"
