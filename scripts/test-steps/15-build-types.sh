#!/usr/bin/env bash
# Every build type with g++ and clang++, and Pelorin.exe in Release and
# MinSizeRel, on the program's own code (scripts/build-all-types.sh --quick).
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/build-all-types.sh --quick
