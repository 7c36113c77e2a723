#!/usr/bin/env bash
# Plays the behaviour scenarios against the real program under Wine, from a
# fresh Debian 12 machine: installs what it needs, builds Pelorin.exe, its
# test build Pelorin-probe.exe and the Windows scenario runner into
# build-win/, makes a wine prefix of its own (build-win/wine-scenarios),
# starts its own Xvfb and stops everything it started, also on failure.
#
#   run-wine-scenarios.sh [--verbose] [FILE_OR_DIR...]    (default: tests/scenarios)
#
# First proves that the released Pelorin.exe carries no probe and, for the
# default run, that the runner's own rules come out as they must on cases made
# for them (--self-test), that it fails each scenario of
# tests/e2e/wine_scenario/must_fail.scn where it must, and what no scenario
# can say about the released Pelorin.exe (--release-checks: its version
# resources, icon and DPI awareness, a paste into notepad.exe, its settings
# file read by GetPrivateProfileStringA, the saved state across 192 and 96
# dpi). Then one line per scenario, as the simulated runner prints them
# (PASS, FAIL, SKIP for a scenario that uses a command only the simulation
# plays, ERROR for a file that does not parse), and last "N passed, N
# failed[, N skipped]". Exit status 0 when none failed, 2 when a file did not
# parse, 1 otherwise.
# The application folders of failed scenarios stay in
# build-win/wine-scenarios-work; PELORIN_SCENARIO_TRACE=1 writes what the
# runner does to build-win/wine-scenarios-work/wine.log.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

PELORIN_WINEPREFIX="${PELORIN_WINEPREFIX:-$PELORIN_BUILD/wine-scenarios}"
WORK="$PELORIN_BUILD/wine-scenarios-work"
RUNNER="$PELORIN_BUILD/pelorin-wine-scenario.exe"
readonly PROBE_MARKER="Pelorin.ScenarioProbe"
readonly MUST_FAIL="tests/e2e/wine_scenario/must_fail.scn"

trap pelorin_stop_all EXIT

runner_args=()
paths=()
for arg in "$@"; do
  case "$arg" in
    --verbose) runner_args+=("$arg") ;;
    *) paths+=("$arg") ;;
  esac
done
# Paths as given, from where the script was started; the project's own
# scenarios from the project folder, named as the simulated runner names them.
run_folder="$PWD"
own_run=""
if [ ${#paths[@]} -eq 0 ]; then
  paths=(tests/scenarios)
  run_folder="$PELORIN_ROOT"
  own_run=1
fi

pelorin_install_wine
pelorin_ensure_locale
pelorin_build_windows Pelorin Pelorin-probe pelorin-wine-scenario pelorin-open-recorder pelorin-hotkey-holder

pelorin_start_xvfb
PELORIN_STARTED_WINE=1
pelorin_make_prefix
rm -rf "$WORK"
mkdir -p "$WORK"

windows_path() { winepath -w "$1" 2>/dev/null; }

# The prefix opens .html files and web addresses with the recorder, which
# writes down what it was asked to open: expect opened reads that.
register_open_recorder() {
  local command
  command="\"$(windows_path "$PELORIN_BUILD/pelorin-open-recorder.exe")\" \"%1\""
  {
    wine reg add 'HKCR\.html' /ve /d htmlfile /f
    wine reg add 'HKCR\.htm' /ve /d htmlfile /f
    wine reg add 'HKCR\htmlfile\shell\open\command' /ve /d "$command" /f
    for protocol in http https; do
      wine reg delete "HKCR\\$protocol\\shell\\open\\ddeexec" /f || true
      wine reg add "HKCR\\$protocol" /v 'URL Protocol' /d '' /f
      wine reg add "HKCR\\$protocol\\shell\\open\\command" /ve /d "$command" /f
    done
    wineserver -w
  } >>"$WORK/wine.log" 2>&1
}
register_open_recorder

# The runner on the test build; its lines on stdout, LF-terminated.
play() {
  wine "$RUNNER" "$@" --program "$(windows_path "$PELORIN_BUILD/Pelorin-probe.exe")" \
    --work "$(windows_path "$WORK")" 2>>"$WORK/wine.log" | tr -d '\r'
}

# The released program carries no probe: its bytes lack the probe's message
# name, and its window leaves the probe's question unanswered. The test build
# has both, which shows that the check can see them.
release_problem() {
  local strings=x86_64-w64-mingw32-strings answer
  if "$strings" -e l "$PELORIN_BUILD/Pelorin.exe" | grep -qF "$PROBE_MARKER"; then
    echo "Pelorin.exe holds the probe's name"
    return
  fi
  if ! "$strings" -e l "$PELORIN_BUILD/Pelorin-probe.exe" | grep -qF "$PROBE_MARKER"; then
    echo "the probe's name is not found in Pelorin-probe.exe"
    return
  fi
  for exe in Pelorin.exe Pelorin-probe.exe; do
    answer="$(wine "$RUNNER" --probe-answers "$(windows_path "$PELORIN_BUILD/$exe")" \
      --work "$(windows_path "$WORK")" 2>>"$WORK/wine.log" | tr -d '\r')"
    case "$exe:$answer" in
      Pelorin.exe:"no probe" | Pelorin-probe.exe:probe) ;;
      *) echo "the window of $exe answered: $answer" && return ;;
    esac
  done
}

# The runner's own rules come out as they must on cases made for them, and
# every scenario of its own check fails, at its line marked "# fails".
runner_problem() {
  local out
  if ! out="$(wine "$RUNNER" --self-test 2>>"$WORK/wine.log" | tr -d '\r')"; then
    echo "its self-test: $(printf '%s\n' "$out" | grep '^FAIL' | tr '\n' ';')"
    return
  fi
  if ! out="$(cd "$PELORIN_ROOT" && play --must-fail "$MUST_FAIL")"; then
    printf '%s\n' "$out" | grep -v '^PASS ' | tr '\n' ';'
  fi
}

# Windows' own view of the released program, one PASS or FAIL line a check.
release_checks() {
  wine "$RUNNER" --release-checks "$(windows_path "$PELORIN_BUILD/Pelorin.exe")" \
    --work "$(windows_path "$WORK")" 2>>"$WORK/wine.log" | tr -d '\r'
}

problems=0
problem="$(release_problem)"
if [ -n "$problem" ]; then
  pelorin_log "FAIL the released Pelorin.exe carries no probe: $problem"
  problems=1
else
  pelorin_log "PASS the released Pelorin.exe carries no probe"
fi
if [ -n "$own_run" ]; then
  problem="$(runner_problem)"
  if [ -n "$problem" ]; then
    pelorin_log "FAIL the runner's rules and $MUST_FAIL: $problem"
    problems=1
  else
    pelorin_log "PASS the runner's rules hold where they must, and it fails $MUST_FAIL where marked"
  fi
  checks="$(release_checks)" || problems=1
  while IFS= read -r line; do
    pelorin_log "$line"
    [[ $line == PASS\ * ]] || problems=1
  done <<<"${checks:-FAIL the release checks printed nothing}"
fi

started=$(date +%s)
set +e
(cd "$run_folder" && play "${runner_args[@]}" "${paths[@]}")
status=$?
set -e
pelorin_log "the Wine scenario run took $(($(date +%s) - started)) s"

if [ "$problems" -ne 0 ] && [ "$status" -eq 0 ]; then
  status=1
fi
exit "$status"
