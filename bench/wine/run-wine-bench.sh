#!/usr/bin/env bash
# The Win32 timings of Pelorin under Wine, printed as the benchmark table
#   benchmark, time, baseline, ratio, goal, met
# (the format of bench/bench_table.h): start-up against a program that only
# shows a window, category selection and paste timed inside the benchmark
# build (Pelorin-timing.exe), the settings file's reads against Wine's
# GetPrivateProfileStringA (also against the host benchmark's time of the
# same reads, when Google Benchmark is installed), and the size of
# Pelorin.exe with the DLLs it imports. Each time is the median of RUNS runs
# (default 21; the start-up, the noisiest, twice as many). The wine server
# and the benchmark run at a raised priority (nice -10, when allowed), so
# that other work on the machine disturbs the times less. Not part of the
# test run.
#
# Builds into build-win-bench (PELORIN_BUILD) with a wine prefix and an X
# display of its own, so that it never meets a test run's; stops what it
# started. Exits 1 when a goal was missed, 2 when a measurement failed.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
export PELORIN_BUILD="${PELORIN_BUILD:-$root/build-win-bench}"
source "$root/tests/e2e/wine-env.sh"
cd "$PELORIN_ROOT"

runs=${RUNS:-21}
corpus="$PELORIN_ROOT/tests/data/kaomoji-public.txt"
work="$PELORIN_BUILD/wine-bench"
readonly KB_GOAL=1024  # 1 MB, in KB of 1,024 bytes

trap pelorin_stop_all EXIT
pelorin_install_wine
pelorin_ensure_locale

pelorin_build_windows Pelorin Pelorin-timing pelorin-bench-window pelorin-wine-bench

# The host benchmark's time for the same reads (bench/category_list_bench.cpp),
# when it can be built.
host_ms=()
host_build="$PELORIN_BUILD/host-bench"
if dpkg -s libbenchmark-dev >/dev/null 2>&1 &&
  cmake -S . -B "$host_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null 2>&1 &&
  cmake --build "$host_build" -j2 --target pelorin-bench >/dev/null 2>&1; then
  # The median of its repetitions, as the times here (its own table gives
  # the fastest); its console report is coloured whatever the options say.
  ms=$(nice -n -10 "$host_build/bench/pelorin-bench" --benchmark_filter='^category list' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>&1 >/dev/null |
    sed 's/\x1b\[[0-9;]*m//g' | awk '/_median / { for (i = 1; i < NF; ++i) if ($(i + 1) == "ms") { print $i; exit } }')
  [ -n "$ms" ] && host_ms=(--host-category-list-ms "$ms")
else
  echo "(the host benchmark could not be built: its row is left out)" >&2
fi

# Pelorin.exe starts in a folder with the starter collection; the timing
# build and the plain window each in a folder of their own.
rm -rf "$work"
mkdir -p "$work/start" "$work/window" "$work/timing"
cp "$PELORIN_BUILD/Pelorin.exe" "$work/start/"
cp -r dist/設定.ini dist/data "$work/start/"
cp "$PELORIN_BUILD/pelorin-bench-window.exe" "$work/window/"
cp "$PELORIN_BUILD/Pelorin-timing.exe" "$work/timing/"

pelorin_start_xvfb
PELORIN_STARTED_WINE=1
pelorin_make_prefix
# One wine server for every start.
nice -n -10 wineserver -p 2>/dev/null || wineserver -p

set +e
nice -n -10 wine "$PELORIN_BUILD/pelorin-wine-bench.exe" --folder "$(winepath -w "$work" 2>/dev/null)" \
  --corpus "$(winepath -w "$corpus" 2>/dev/null)" --runs "$runs" "${host_ms[@]}" \
  2>"$work/wine-bench.log" | tr -d '\r'
status=${PIPESTATUS[0]}
set -e
[ "$status" -eq 2 ] && sed 's/^/  /' "$work/wine-bench.log" >&2

# The size, and the DLLs imported: each must be one of the system's, which
# the wine prefix's system32 holds.
exe="$PELORIN_BUILD/Pelorin.exe"
bytes=$(stat -c %s "$exe")
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }' | sort -f)
foreign=""
for dll in $dlls; do
  found=$(find "$WINEPREFIX/drive_c/windows/system32/" -maxdepth 1 -iname "$dll" -print -quit)
  [ -n "$found" ] || foreign="$foreign $dll"
done
awk -v bytes="$bytes" -v goal="$KB_GOAL" -v dlls="$(echo $dlls)" -v foreign="$foreign" 'BEGIN {
  kb = bytes / 1024
  ratio = kb / goal
  met = (ratio <= 1 && foreign == "") ? "yes" : "NO"
  label = "Pelorin.exe size, importing only " dlls
  if (foreign != "") label = label " (not in system32:" foreign ")"
  printf "%s, %.0f KB, %d KB, %.2f, <= 1, %s\n", label, kb, goal, ratio, met
  exit (met == "yes" ? 0 : 1)
}' || { if [ "$status" -eq 0 ]; then status=1; fi; }
exit "$status"
