#!/usr/bin/env bash
# Crash safety of the Windows file code: the crash test's loop (tests/faults)
# kills, with TerminateProcess under Wine, a writer that saves a 1 MB kaomoji
# file and the settings file through Win32FileSystem (a flushed temporary
# file moved over the target with MoveFileExW, REPLACE_EXISTING |
# WRITE_THROUGH), and checks after every kill that each file is the complete
# old or the complete new version. WINE_CRASH_KILLS kills (default 1,000:
# about 45 s on two busy cores). Installs what it needs, builds the host test
# into build/host (PELORIN_HOST_BUILD) and the Windows writer and launcher
# into build-win (PELORIN_BUILD), with a wine prefix and an X display of its
# own there, stopped again at the end.
set -euo pipefail
source "$(dirname "$0")/../e2e/wine-env.sh"
cd "$PELORIN_ROOT"

kills=${WINE_CRASH_KILLS:-1000}
host=${PELORIN_HOST_BUILD:-build/host}
collection="$PELORIN_ROOT/tests/data/kaomoji-public.txt"

trap pelorin_stop_all EXIT
bash scripts/install-build-deps.sh
pelorin_install_wine
pelorin_ensure_locale

cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELORIN_WERROR=ON >/dev/null
cmake --build "$host" -j2 --target pelorin-crash-test >/dev/null
pelorin_build_windows pelorin-crash-writer pelorin-crash-launcher

pelorin_start_xvfb
PELORIN_STARTED_WINE=1
pelorin_make_prefix
# One wineserver for all the kills: each kill starts two Windows processes.
wineserver -p

writer="$(winepath -w "$PELORIN_BUILD/pelorin-crash-writer.exe" 2>/dev/null)"
timeout 1800 "$host/tests/faults/pelorin-crash-test" --wine "$kills" "$collection" \
  wine "$PELORIN_BUILD/pelorin-crash-launcher.exe" "$writer"
