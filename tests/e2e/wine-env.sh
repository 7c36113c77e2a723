# Shared by the scripts that run Windows programs under wine (sourced, not run):
# packages, the ja_JP.UTF-8 locale, the MinGW-w64 build, a wine prefix with a
# virtual desktop, and an X display of our own. Everything that is started is
# recorded, and pelorin_stop_all stops exactly that.

PELORIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
PELORIN_BUILD="${PELORIN_BUILD:-$PELORIN_ROOT/build-win}"
PELORIN_DESKTOP_SIZE=1024x768
PELORIN_XVFB_PID=""
PELORIN_STARTED_WINE=""

pelorin_log() { echo "[wine] $*" >&2; }

# Installs the Debian packages that are missing (nothing when all are there).
pelorin_install() {
  local wanted=("$@") missing=() package
  for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  pelorin_log "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

pelorin_install_wine() {
  pelorin_install wine wine64 g++-mingw-w64-x86-64-posix xvfb xauth fonts-vlgothic fonts-wine \
    locales cmake ninja-build g++ "$@"
}

# wine needs the locale for code page 932 and Japanese file names.
pelorin_ensure_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
    echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
}

# Pelorin.exe and the Windows scenario runner (or the targets named),
# cross-compiled into $PELORIN_BUILD.
pelorin_build_windows() {
  local targets=("$@")
  [ ${#targets[@]} -gt 0 ] || targets=(Pelorin pelorin-wine-scenario)
  if [ ! -f "$PELORIN_BUILD/CMakeCache.txt" ]; then
    cmake -S "$PELORIN_ROOT" -B "$PELORIN_BUILD" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$PELORIN_ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=MinSizeRel -DPELORIN_WERROR=ON >/dev/null
  fi
  cmake --build "$PELORIN_BUILD" -j2 --target "${targets[@]}" >/dev/null
}

# A script that runs beside another one sets PELORIN_WINEPREFIX to a prefix of
# its own: each prefix has its own wineserver, which pelorin_stop_all ends.
pelorin_wine_env() {
  export WINEPREFIX="${PELORIN_WINEPREFIX:-$PELORIN_BUILD/wine}" WINEARCH=win64 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
}

# The prefix is made once; its virtual desktop (set in the registry) needs no
# window manager and lets the exit code of `wine prog.exe` through.
pelorin_make_prefix() {
  pelorin_wine_env
  [ -f "$WINEPREFIX/.pelorin-ready" ] && return 0
  local attempt
  for attempt in 1 2 3; do
    pelorin_make_prefix_once && return 0
    pelorin_log "making the wine prefix failed (attempt $attempt); its log:"
    tail -n 20 "$WINEPREFIX.log" >&2 || true
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  done
  return 1
}

# One attempt, its output in $WINEPREFIX.log: on a busy machine wineboot now
# and then gives up before the prefix is whole.
pelorin_make_prefix_once() {
  pelorin_log "making the wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -i >"$WINEPREFIX.log" 2>&1 || return 1
  # Debian's wine does not look in its own font folder: without Marlett the
  # caption buttons show as letters.
  [ -f /usr/share/wine/fonts/marlett.ttf ] &&
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$WINEPREFIX.log" 2>&1 ||
    return 1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$PELORIN_DESKTOP_SIZE" /f \
    >>"$WINEPREFIX.log" 2>&1 || return 1
  wineserver -w
  touch "$WINEPREFIX/.pelorin-ready"
}

# An X display of our own; its number goes to DISPLAY.
pelorin_start_xvfb() {
  local displayfile
  displayfile="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 "${PELORIN_DESKTOP_SIZE}x24" -nolisten tcp 3>"$displayfile" \
    >/dev/null 2>&1 &
  PELORIN_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$displayfile" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$displayfile")"
  rm -f "$displayfile"
}

# Stops what this script started: the wine processes of our prefix, then our
# own X display.
pelorin_stop_all() {
  if [ -n "$PELORIN_STARTED_WINE" ] && [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  if [ -n "$PELORIN_XVFB_PID" ]; then
    kill "$PELORIN_XVFB_PID" 2>/dev/null || true
    wait "$PELORIN_XVFB_PID" 2>/dev/null || true
  fi
}
