#!/usr/bin/env bash
# Static analysis of the portable core: clang-tidy with the checked-in
# .clang-tidy and cppcheck with .cppcheck-suppressions, on app, store, search,
# categories, kaomoji, paste, help and platform/*.cpp (not win32, not sim).
# Any finding fails the step.
set -euo pipefail
cd "$(dirname "$0")/../.."

bash scripts/install-build-deps.sh
need=()
for pkg in clang-tidy cppcheck; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if ((${#need[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi

# clang-tidy takes the compile flags from a configured (not built) tree.
build=build/analysis
cmake -S . -B "$build" >/dev/null
files=(app/*.cpp store/*.cpp categories/*.cpp kaomoji/*.cpp paste/*.cpp help/*.cpp search/*.cpp platform/*.cpp)
passed=0
failed=0

# A tool that fails without a finding (it could not run) fails the step too.
status=0
printf '%s\n' "${files[@]}" |
  xargs -P"$(nproc)" -n1 clang-tidy -p "$build" --quiet >"$build/clang-tidy.txt" \
    2>"$build/clang-tidy.err" || status=$?
tidy=$(grep -cE ': (warning|error):' "$build/clang-tidy.txt" || true)
cat "$build/clang-tidy.txt"
[ "$status" -eq 0 ] || grep -vE '^[0-9]+ warnings? generated\.$' "$build/clang-tidy.err" || true
echo "clang-tidy $(clang-tidy --version | grep -oE 'version [0-9.]+'): ${#files[@]} files, $tidy findings"
if [ "$tidy" -eq 0 ] && [ "$status" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

version=$(sed -nE 's/^project\(Pelorin VERSION ([0-9]+)\.([0-9]+)\.([0-9]+).*/\1 \2 \3/p' CMakeLists.txt)
read -r major minor patch <<<"$version"
status=0
cppcheck --std=c++20 --language=c++ --enable=warning,style,performance,portability \
  --library=posix --inline-suppr --suppressions-list=.cppcheck-suppressions --quiet \
  --error-exitcode=1 \
  -I . -DPELORIN_VERSION_MAJOR="$major" -DPELORIN_VERSION_MINOR="$minor" \
  -DPELORIN_VERSION_PATCH="$patch" -j"$(nproc)" \
  --template='{file}:{line}: {severity}: {message} [{id}]' "${files[@]}" \
  >"$build/cppcheck.txt" 2>&1 || status=$?
checks=$(grep -cE '^[^ ]+:[0-9]+: ' "$build/cppcheck.txt" || true)
cat "$build/cppcheck.txt"
echo "$(cppcheck --version): ${#files[@]} files, $checks findings"
if [ "$checks" -eq 0 ] && [ "$status" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
