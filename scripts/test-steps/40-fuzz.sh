#!/usr/bin/env bash
# The fuzz targets, each for a bounded time (FUZZ_SECONDS, default 30), with
# clang's libFuzzer and sanitizers. Fails on any crash, leak, hang, sanitizer
# report or broken property. scripts/fuzz-long.sh runs them for long.
set -euo pipefail
cd "$(dirname "$0")/../.."

# clang and its runtime libraries (libFuzzer, sanitizers) on Debian 12.
need=()
for pkg in clang libclang-rt-14-dev cmake make; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if ((${#need[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi

bash scripts/fuzz-long.sh -t "${FUZZ_SECONDS:-30}" -p "$(nproc)"
