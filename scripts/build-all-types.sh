#!/usr/bin/env bash
# Builds Pelorin in every CMake build type, with warnings as errors:
# Debug, Release, RelWithDebInfo and MinSizeRel with the system's g++ and with
# clang++ on the host, and Pelorin.exe with MinGW-w64 in Release and MinSizeRel.
#
#   bash scripts/build-all-types.sh          everything: all targets of each build
#   bash scripts/build-all-types.sh --quick  the program's own code only: the core
#                                            on the host, Pelorin.exe with MinGW-w64
#                                            (and the Windows benchmark, which no
#                                            test step builds otherwise)
#
# The test command runs --quick; the full build of RelWithDebInfo with g++ is
# part of the test command anyway. Exits non-zero at the first build that fails.
set -euo pipefail
cd "$(dirname "$0")/.."

quick=0
[ "${1:-}" = "--quick" ] && quick=1

bash scripts/install-build-deps.sh
source tests/e2e/wine-env.sh
pelorin_install clang g++-mingw-w64-x86-64-posix cmake ninja-build

host_targets=()
windows_targets=()
if ((quick)); then
  host_targets=(--target pelorin_core)
  windows_targets=(--target Pelorin --target pelorin-wine-bench)
fi

built=0
build_one() {  # folder, then cmake arguments
  local folder=$1
  shift
  cmake -S . -B "$folder" -G Ninja -DPELORIN_WERROR=ON "$@" >/dev/null
  if ! cmake --build "$folder" -j"$(nproc)" "${targets[@]}" >"$folder/build.log" 2>&1; then
    tail -n 40 "$folder/build.log"
    echo "build failed: $folder ($*)"
    exit 1
  fi
  built=$((built + 1))
  echo "built: $folder"
}

for type in Debug Release RelWithDebInfo MinSizeRel; do
  targets=("${host_targets[@]}")
  build_one "build/types/gcc-$type" -DCMAKE_BUILD_TYPE="$type" \
    -DCMAKE_CXX_COMPILER=g++
  build_one "build/types/clang-$type" -DCMAKE_BUILD_TYPE="$type" \
    -DCMAKE_CXX_COMPILER=clang++
done
for type in Release MinSizeRel; do
  targets=("${windows_targets[@]}")
  build_one "build/types/mingw-$type" -DCMAKE_BUILD_TYPE="$type" \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake"
done
echo "$built builds passed"
