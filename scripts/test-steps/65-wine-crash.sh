#!/usr/bin/env bash
# Crash safety of the Windows file code under Wine: 1,000 kills with
# TerminateProcess of a writer saving through Win32FileSystem, each followed
# by a check that every file is its complete old or complete new version.
set -euo pipefail
exec bash "$(dirname "$0")/../../tests/faults/run-wine-crash.sh"
