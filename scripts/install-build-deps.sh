#!/usr/bin/env bash
# Installs what the host build and its tests need (Debian 12). Idempotent.
set -euo pipefail
need=()
for pkg in g++ cmake make libgtest-dev libbenchmark-dev; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if ((${#need[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi
