#!/usr/bin/env bash
# Builds Pelorin.exe and starts it under wine in a folder of its own,
# build/Pelorin/ (first filled with what ships beside it from dist/: the
# starter 設定.ini and data/, Help.html with help-images/, README.txt; later
# runs keep what the user changed). On $DISPLAY when it is
# set, where the program stays open; otherwise on an X display of our own,
# which is stopped again after the screenshot. Saves a screenshot of the
# screen and says where.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

APP="$PELORIN_ROOT/build/Pelorin"
SHOT="$APP/screenshot.png"

pelorin_install_wine imagemagick
pelorin_ensure_locale
pelorin_build_windows

mkdir -p "$APP"
cp "$PELORIN_BUILD/Pelorin.exe" "$APP/"
if [ ! -e "$APP/設定.ini" ]; then
  for shipped in 設定.ini data Help.html help-images README.txt; do
    [ -e "$PELORIN_ROOT/dist/$shipped" ] && cp -r "$PELORIN_ROOT/dist/$shipped" "$APP/"
  done
fi

own_display=""
if [ -z "${DISPLAY:-}" ]; then
  trap pelorin_stop_all EXIT
  pelorin_start_xvfb
  own_display=1
  PELORIN_STARTED_WINE=1
fi
pelorin_make_prefix

(cd "$APP" && exec wine "$APP/Pelorin.exe" >/dev/null 2>&1) &
if ! rect="$(wine "$PELORIN_BUILD/pelorin-wine-scenario.exe" --wait-for-window 60 2>/dev/null)"; then
  echo "Pelorin did not show its window" >&2
  exit 1
fi
import -window root "$SHOT"
echo "Pelorin runs from $APP (window at ${rect//$'\r'/})."
echo "Screenshot: $SHOT"
if [ -n "$own_display" ]; then
  echo "(on a virtual display of its own, now closed; set DISPLAY to keep it open)"
fi
