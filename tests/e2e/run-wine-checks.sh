#!/usr/bin/env bash
# The end-to-end checks of Pelorin.exe under wine, from a fresh Debian 12
# machine: installs what it needs, generates the ja_JP.UTF-8 locale, builds
# Pelorin.exe and its driver with MinGW-w64 into build-win/, makes a wine
# prefix under build-win/wine, starts its own Xvfb and a bell counter, runs
# the checks (one PASS or FAIL line each) and stops everything it started,
# also on failure. The last line is "N passed, N failed".
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

readonly CHECK_COUNT=11
E2E="$PELORIN_BUILD/e2e"
BELL_WATCH_PID=""

cleanup() {
  [ -n "$BELL_WATCH_PID" ] && kill "$BELL_WATCH_PID" 2>/dev/null || true
  pelorin_stop_all
}
trap cleanup EXIT

pelorin_install_wine
pelorin_ensure_locale
pelorin_build_windows
g++ -O2 -Wall -Wextra -Werror -o "$PELORIN_BUILD/bell-watch" \
  "$PELORIN_ROOT/tests/e2e/bell_watch.cpp" -lX11

pelorin_start_xvfb
PELORIN_STARTED_WINE=1
pelorin_make_prefix

# A fresh application folder: the driver writes the settings and kaomoji.
rm -rf "$E2E"
mkdir -p "$E2E/Pelorin"
cp "$PELORIN_BUILD/Pelorin.exe" "$E2E/Pelorin/"
"$PELORIN_BUILD/bell-watch" "$E2E/bells" &
BELL_WATCH_PID=$!

app="$(winepath -w "$E2E/Pelorin" 2>/dev/null)"
bells="$(winepath -w "$E2E/bells" 2>/dev/null)"
set +e
timeout 600 wine "$PELORIN_BUILD/pelorin-e2e.exe" "$app" "$bells" 2>"$E2E/wine.log" |
  tee "$E2E/results.txt"
set -e

passed=$(grep -c '^PASS ' "$E2E/results.txt" || true)
failed=$(grep -c '^FAIL ' "$E2E/results.txt" || true)
missing=$((CHECK_COUNT - passed - failed))
if [ "$missing" -gt 0 ]; then
  echo "FAIL $missing check(s) did not run (see $E2E/wine.log)"
  failed=$((failed + missing))
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
